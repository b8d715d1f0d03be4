#include "posture/Measure.hpp"

#include <gtest/gtest.h>

namespace spinewise {
namespace {

struct MappingCase {
    const char* name;
    Size image;
    Size target;
    VideoGravity gravity;
    Rect in;
    Rect expected;
};

TEST(Measure, ConvertsRectanglesForEachGravity) {
    using enum VideoGravity;
    const MappingCase cases[] = {
        // 1280x720 on 1440x900, aspect-fit: s = 1.125, scaled 1440x810, offsets (0, 45).
        {"fit, wide image", {1280, 720}, {1440, 900}, resizeAspect, {500, 400, 100, 80}, {562.5, 495, 112.5, 90}},
        {"fit, origin", {1280, 720}, {1440, 900}, resizeAspect, {0, 0, 1280, 720}, {0, 45, 1440, 810}},
        // 640x480 on 1440x900: s = 1.875, scaled 1200x900, offsets (120, 0).
        {"fit, 4:3 image", {640, 480}, {1440, 900}, resizeAspect, {0, 0, 640, 480}, {120, 0, 1200, 900}},
        {"fit, 4:3 point", {640, 480}, {1440, 900}, resizeAspect, {100, 200, 0, 0}, {307.5, 375, 0, 0}},
        // Same aspect: offsets vanish, pure scale.
        {"fit, same aspect", {720, 450}, {1440, 900}, resizeAspect, {10, 20, 30, 40}, {20, 40, 60, 80}},
        {"fill, same aspect", {720, 450}, {1440, 900}, resizeAspectFill, {10, 20, 30, 40}, {20, 40, 60, 80}},
        // Aspect-fill: s = 1.25, scaled 1600x900, offsets (-80, 0).
        {"fill, wide image", {1280, 720}, {1440, 900}, resizeAspectFill, {0, 0, 1280, 720}, {-80, 0, 1600, 900}},
        // 640x480 fill: s = 2.25, scaled 1440x1080, offsets (0, -90).
        {"fill, 4:3 image", {640, 480}, {1440, 900}, resizeAspectFill, {100, 200, 10, 10}, {225, 360, 22.5, 22.5}},
        // Stretch: x by 1440/640 = 2.25, y by 900/480 = 1.875, no offsets.
        {"stretch", {640, 480}, {1440, 900}, resize, {100, 200, 10, 10}, {225, 375, 22.5, 18.75}},
        {"stretch, whole", {1280, 720}, {1440, 900}, resize, {0, 0, 1280, 720}, {0, 0, 1440, 900}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = Measure::convert(c.in, c.image, c.target, c.gravity);
        EXPECT_DOUBLE_EQ(result.x, c.expected.x);
        EXPECT_DOUBLE_EQ(result.y, c.expected.y);
        EXPECT_DOUBLE_EQ(result.width, c.expected.width);
        EXPECT_DOUBLE_EQ(result.height, c.expected.height);
    }
}

TEST(Measure, ConvertsAPointLikeAZeroSizeRectangle) {
    const auto left = Measure::convert(Point{500, 400}, {1280, 720}, {1440, 900}, VideoGravity::resizeAspect);
    const auto right = Measure::convert(Point{780, 410}, {1280, 720}, {1440, 900}, VideoGravity::resizeAspect);
    EXPECT_EQ(left, (Point{562.5, 495}));
    EXPECT_EQ(right, (Point{877.5, 506.25}));
}

TEST(MeasureDeathTest, AnUnknownGravityIsAProgrammingError) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(Measure::convert(Point{1, 1}, {10, 10}, {20, 20}, static_cast<VideoGravity>(7)),
                 "Fatal error: Unknown AVLayerVideoGravity");
}

}  // namespace
}  // namespace spinewise
