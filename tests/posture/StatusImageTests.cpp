#include "posture/ImageTint.hpp"
#include "posture/StatusImage.hpp"

#include <gtest/gtest.h>

namespace spinewise {
namespace {

using State = Posture::State;

TEST(StatusImage, PoorShowsThePoorImageAndEverythingElseTheCorrectOne) {
    const auto grey = [](double level) { return Color{level, level, level, 1.0}; };
    EXPECT_EQ(statusImage(std::nullopt), (StatusImage{"status-correct", grey(0.5)}));
    EXPECT_EQ(statusImage(Posture{State::correct, 1}), (StatusImage{"status-correct", grey(0.3)}));
    EXPECT_EQ(statusImage(Posture{State::unknown, 1}), (StatusImage{"status-correct", grey(0.3)}));
    EXPECT_EQ(statusImage(Posture{State::poor, 1}), (StatusImage{"status-poor", grey(0.3)}));
}

TEST(ImageTint, MultipliesEveryComponentOfEveryPixelByTheColour) {
    struct Case {
        Rgba8 source;
        Color color;
        Rgba8 expected;
    };
    const Case cases[] = {
        {{200, 100, 50, 255}, {1, 1, 1, 1}, {200, 100, 50, 255}},
        {{200, 100, 50, 255}, {0, 0, 0, 1}, {0, 0, 0, 255}},
        {{200, 100, 50, 255}, Color::white(0.3, 1), {60, 30, 15, 255}},
        {{255, 255, 255, 128}, {0.5, 0.25, 1, 0.5}, {128, 64, 255, 64}},  // 127.5 rounds up
        {{10, 20, 30, 40}, {1, 1, 1, 0}, {10, 20, 30, 0}},
        {{100, 100, 100, 100}, {2, -1, 1, 1}, {100, 0, 100, 100}},  // out-of-range factors clamp
    };
    for (const auto& c : cases) {
        RgbaImage image(1, 1);
        image.setPixel(0, 0, c.source);
        EXPECT_EQ(tinted(image, c.color).pixel(0, 0), c.expected)
            << "source " << int(c.source.red) << "," << int(c.source.green) << "," << int(c.source.blue) << ","
            << int(c.source.alpha);
    }
}

TEST(ImageTint, KeepsTheSizeAndTintsEachPixelOnItsOwn) {
    RgbaImage image(3, 2);
    image.setPixel(0, 0, {255, 0, 0, 255});
    image.setPixel(2, 1, {0, 0, 200, 100});
    const auto result = tinted(image, Color::white(0.5, 1));
    ASSERT_EQ(result.width(), 3);
    ASSERT_EQ(result.height(), 2);
    EXPECT_EQ(result.pixel(0, 0), (Rgba8{128, 0, 0, 255}));
    EXPECT_EQ(result.pixel(2, 1), (Rgba8{0, 0, 100, 100}));
    EXPECT_EQ(result.pixel(1, 0), (Rgba8{0, 0, 0, 0}));
    EXPECT_EQ(image.pixel(0, 0), (Rgba8{255, 0, 0, 255})) << "the source is left alone";
}

}  // namespace
}  // namespace spinewise
