#include "windows/calibration/MonochromeFilter.hpp"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

namespace spinewise {
namespace {

QRgb filtered(QRgb pixel, MonochromeFilter filter) {
    QImage image(1, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, pixel);
    return applyMonochrome(image, filter).pixel(0, 0);
}

std::string text(QRgb pixel) {
    return std::to_string(qRed(pixel)) + "," + std::to_string(qGreen(pixel)) + "," + std::to_string(qBlue(pixel)) +
           "," + std::to_string(qAlpha(pixel));
}

TEST(MonochromeFilterTest, BlendsTowardsTheLuminanceTimesTheColour) {
    constexpr Color red{1, 0, 0, 1};
    constexpr Color blue{0, 0, 1, 1};
    const struct {
        const char* name;
        QRgb source;
        MonochromeFilter filter;
        QRgb expected;
    } cases[] = {
        {"intensity 0 keeps the picture", qRgb(100, 150, 200), {red, 0}, qRgb(100, 150, 200)},
        {"white becomes the colour", qRgb(255, 255, 255), {red, 1}, qRgb(255, 0, 0)},
        {"black stays black", qRgb(0, 0, 0), {red, 1}, qRgb(0, 0, 0)},
        {"grey becomes a shade of the colour", qRgb(128, 128, 128), {red, 1}, qRgb(128, 0, 0)},
        // Green weighs most in the luminance: 0.7152 * 255 = 182.4.
        {"luminance uses Rec. 709 weights", qRgb(0, 255, 0), {red, 1}, qRgb(182, 0, 0)},
        {"half intensity lies halfway", qRgb(255, 255, 255), {red, 0.5}, qRgb(255, 128, 128)},
        // L = 142.98: red 100 -> 20, green 150 -> 30, blue 200 -> 200 + 0.8 * (142.98 - 200).
        {"each channel blends on its own", qRgb(100, 150, 200), {blue, 0.8}, qRgb(20, 30, 154)},
        {"the colour's alpha plays no part", qRgb(255, 255, 255), {Color{1, 0, 0, 0}, 1}, qRgb(255, 0, 0)},
        {"intensity beyond 1 counts as 1", qRgb(255, 255, 255), {red, 3}, qRgb(255, 0, 0)},
        {"the pixel's alpha is kept", qRgba(255, 255, 255, 64), {red, 1}, qRgba(255, 0, 0, 64)},
    };
    for (const auto& [name, source, filter, expected] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(text(filtered(source, filter)), text(expected));
    }
}

TEST(MonochromeFilterTest, KeepsTheSizeAndReadsOtherFormats) {
    QImage picture(3, 2, QImage::Format_RGB888);
    picture.fill(QColor(255, 255, 255));

    const QImage result = applyMonochrome(picture, MonochromeFilter::initial());

    EXPECT_EQ(result.size(), picture.size());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(text(result.pixel(x, y)), text(qRgb(255, 128, 128)));
}

TEST(MonochromeFilterTest, TheAlertColourFilterTakesRedGreenBlueAtIntensity08) {
    const auto filter = MonochromeFilter::forAlertColor(Color{0.2, 0.4, 0.6, 0.3});
    EXPECT_EQ(filter, (MonochromeFilter{Color{0.2, 0.4, 0.6, 1}, 0.8}));
    EXPECT_EQ(MonochromeFilter::initial(), (MonochromeFilter{Color{1, 0, 0, 1}, 0.5}));
}

}  // namespace
}  // namespace spinewise
