// The status images: our drawings rendered at 22x22 and tinted by the core's choice.
#include "shell/StatusImages.hpp"

#include "support/CommonTestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace spinewise::testing {
namespace {

/// The largest red value and the number of visible pixels of an image.
struct Ink {
    int brightest = 0;
    int visiblePixels = 0;
};

Ink inkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() == 0) continue;
            ++ink.visiblePixels;
            ink.brightest = std::max(ink.brightest, pixel.red());
        }
    }
    return ink;
}

class StatusImagesTest : public ::testing::Test {
protected:
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    StatusImages images{resources};
};

TEST_F(StatusImagesTest, TheDrawingsAreWhiteFiguresTintedToTheChosenGrey) {
    const struct {
        StatusImage choice;
        int brightest;  ///< white times the grey, rounded
    } cases[] = {
        {statusImage(std::nullopt), 128},
        {statusImage(Posture{.state = Posture::State::correct}), 77},
        {statusImage(Posture{.state = Posture::State::unknown}), 77},
        {statusImage(Posture{.state = Posture::State::poor}), 77},
    };
    for (const auto& [choice, brightest] : cases) {
        SCOPED_TRACE(std::string(choice.resourceName));
        const QImage image = images.image(choice);
        EXPECT_EQ(image.size(), QSize(22, 22));
        const Ink ink = inkOf(image);
        EXPECT_EQ(ink.brightest, brightest);
        EXPECT_GT(ink.visiblePixels, 40) << "a figure is drawn";
        EXPECT_LT(ink.visiblePixels, 22 * 22 / 2) << "on a transparent ground";
    }
}

TEST_F(StatusImagesTest, PoorAndCorrectAreDifferentFigures) {
    const Color grey = Color::white(0.3, 1);
    EXPECT_NE(images.image({kStatusPoorImageName, grey}), images.image({kStatusCorrectImageName, grey}));
    EXPECT_EQ(images.image({kStatusCorrectImageName, grey}), images.image({kStatusCorrectImageName, grey}));
}

TEST(RgbaImageConversionTest, KeepsEveryPixelBothWays) {
    RgbaImage image(3, 2);
    image.setPixel(0, 0, {255, 0, 0, 255});
    image.setPixel(2, 1, {10, 20, 30, 40});
    image.setPixel(1, 1, {200, 100, 50, 128});
    const QImage converted = qImageFromRgbaImage(image);
    EXPECT_EQ(converted.pixelColor(2, 1), QColor(10, 20, 30, 40));
    EXPECT_EQ(rgbaImageFromQImage(converted), image);
}

TEST(StatusImagesDeathTest, AMissingDrawingStopsTheProgram) {
    TemporaryDirectory empty;
    const ResourceBundle resources(empty.path());
    StatusImages images(resources);
    EXPECT_DEATH(images.image({kStatusCorrectImageName, Color::white(0.3, 1)}),
                 "Fatal error: Missing resource: .*icons/status-correct.svg");
}

}  // namespace
}  // namespace spinewise::testing
