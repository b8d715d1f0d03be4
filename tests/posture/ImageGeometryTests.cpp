#include "posture/ImageCoordinates.hpp"
#include "posture/SquareCrop.hpp"

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

namespace spinewise {
namespace {

TEST(ImageCoordinates, FlipsTheVerticalAxisAndPutsRectanglesOnTheirBottomEdge) {
    EXPECT_EQ(bottomLeftPoint({10, 30}, 100), (Point{10, 70}));
    EXPECT_EQ(bottomLeftRect({10, 20, 30, 40}, 100), (Rect{10, 40, 30, 40}));
    EXPECT_EQ(topLeftRect(bottomLeftRect({10, 20, 30, 40}, 100), 100), cv::Rect2d(10, 20, 30, 40));
}

TEST(ImageCoordinates, TheEyeWithTheSmallerXIsTheLeftOne) {
    const auto face = faceWithEyes({0, 0, 50, 50}, {40, 10}, {15, 12}, 100);
    EXPECT_EQ(face.leftEyePosition, (Point{15, 88}));
    EXPECT_EQ(face.rightEyePosition, (Point{40, 90}));
    EXPECT_EQ(face.bounds, (Rect{0, 50, 50, 50}));
}

/// A black image with one white 24x24 square whose centre is `spot`.
cv::Mat imageWithSpot(cv::Size size, cv::Point spot) {
    cv::Mat image(size, CV_8UC3, cv::Scalar::all(0));
    cv::rectangle(image, cv::Rect(spot.x - 12, spot.y - 12, 24, 24), cv::Scalar::all(255), cv::FILLED);
    return image;
}

/// The centroid of the light, continuous: pixel (c, r) has its centre at (c + 0.5, r + 0.5).
cv::Point2d brightCentroid(const cv::Mat& bgr) {
    cv::Mat grey;
    cv::cvtColor(bgr, grey, cv::COLOR_BGR2GRAY);
    const auto m = cv::moments(grey);
    return {m.m10 / m.m00 + 0.5, m.m01 / m.m00 + 0.5};
}

TEST(SquareCrop, MapsCropPointsBackOntoTheImage) {
    struct Case {
        const char* name;
        cv::Size image;
        cv::Rect2d region;
    };
    const cv::Point spot(700, 300);
    const Case cases[] = {
        {"whole wide image, letterboxed", {1280, 720}, {0, -280, 1280, 1280}},
        {"region around the spot, fractional", {1280, 720}, {611.3, 197.8, 201.7, 201.7}},
        {"region reaching past the right edge", {760, 720}, {600, 200, 250, 250}},
        {"enlarging a small region", {1280, 720}, {660, 260, 64, 64}},
    };
    SquareCrop crop(128);
    cv::Mat out;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto mapping = crop.extract(imageWithSpot(c.image, spot), c.region, out);
        ASSERT_TRUE(mapping);
        ASSERT_EQ(out.size(), cv::Size(128, 128));
        const auto back = mapping->toImage(brightCentroid(out));
        const double pixel = c.region.width / 128;  // one crop pixel in image pixels
        EXPECT_NEAR(back.x, spot.x, std::max(0.5, 0.3 * pixel));
        EXPECT_NEAR(back.y, spot.y, std::max(0.5, 0.3 * pixel));
    }
}

TEST(SquareCrop, OutsideTheImageIsBlackAndARegionMissingItGivesNothing) {
    SquareCrop crop(128);
    cv::Mat out;
    const cv::Mat white(100, 100, CV_8UC3, cv::Scalar::all(255));
    ASSERT_TRUE(crop.extract(white, {-100, 0, 200, 200}, out));
    EXPECT_EQ(out.at<cv::Vec3b>(10, 10), cv::Vec3b(0, 0, 0)) << "left of the image";
    EXPECT_EQ(out.at<cv::Vec3b>(100, 10), cv::Vec3b(0, 0, 0)) << "below the image";
    EXPECT_EQ(out.at<cv::Vec3b>(20, 100), cv::Vec3b(255, 255, 255)) << "inside the image";
    EXPECT_FALSE(crop.extract(white, {200, 200, 50, 50}, out));
    EXPECT_FALSE(crop.extract(white, {10, 10, 0, 0}, out));
}

}  // namespace
}  // namespace spinewise
