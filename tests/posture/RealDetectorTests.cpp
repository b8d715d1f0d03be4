// The real back ends on real photographs.
#include "posture/BlazeFaceFinder.hpp"
#include "posture/Detector.hpp"
#include "posture/DlibFaceFinder.hpp"
#include "posture/TrackingFaceDetector.hpp"

#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace spinewise {
namespace {

const std::filesystem::path kTestData = SPINEWISE_TESTDATA_DIR;
const std::filesystem::path kModel = std::filesystem::path(SPINEWISE_RESOURCE_DIR) / BlazeFaceFinder::kModelResource;

cv::Mat photo(const char* name) {
    auto image = cv::imread((kTestData / name).string(), cv::IMREAD_COLOR);
    if (image.empty()) ADD_FAILURE() << "missing test photo " << name << " (scripts/fetch-assets.sh)";
    return image;
}

/// The picture moved down by `rows`, black above, its bottom cut off.
cv::Mat shiftedDown(const cv::Mat& image, int rows) {
    cv::Mat shifted(image.size(), image.type(), cv::Scalar::all(0));
    image.rowRange(0, image.rows - rows).copyTo(shifted.rowRange(rows, image.rows));
    return shifted;
}

struct BackEnd {
    const char* name;
    std::function<std::unique_ptr<RegionFaceFinder>()> makeFinder;
};

void PrintTo(const BackEnd& backEnd, std::ostream* out) { *out << backEnd.name; }

class RealDetectorTest : public testing::TestWithParam<BackEnd> {
protected:
    Detector freshDetector() const {
        return Detector(std::make_unique<TrackingFaceDetector>(GetParam().makeFinder()));
    }
};

TEST_P(RealDetectorTest, FindsBothEyesLeftBeforeRightOnRealFaces) {
    for (const auto* name : {"astronaut.png", "grace_hopper.jpg"}) {
        SCOPED_TRACE(name);
        const auto image = photo(name);
        const auto face = freshDetector().detectFace(image);
        ASSERT_TRUE(face);
        EXPECT_LT(face->leftEyePosition.x, face->rightEyePosition.x);
        // Eyes inside the face, in its upper half (origin bottom left).
        const auto& bounds = face->faceRect;
        for (const auto& eye : {face->leftEyePosition, face->rightEyePosition}) {
            EXPECT_GT(eye.x, bounds.x);
            EXPECT_LT(eye.x, bounds.x + bounds.width);
            EXPECT_GT(eye.y, bounds.y + bounds.height / 2);
            EXPECT_LT(eye.y, bounds.y + bounds.height);
        }
    }
}

TEST_P(RealDetectorTest, EyeHeightFollowsTheFaceMovingDown) {
    for (const auto* name : {"astronaut.png", "grace_hopper.jpg"}) {
        SCOPED_TRACE(name);
        const auto image = photo(name);
        const int shift = image.rows / 10;
        auto detector = freshDetector();
        const auto before = detector.detectFace(image);
        const auto after = detector.detectFace(shiftedDown(image, shift));
        ASSERT_TRUE(before && after);
        EXPECT_NEAR(after->leftEyePosition.y, before->leftEyePosition.y - shift, 2.0);
        EXPECT_NEAR(after->rightEyePosition.y, before->rightEyePosition.y - shift, 2.0);
    }
}

TEST_P(RealDetectorTest, FindsNoFaceWhereThereIsNone) {
    cv::Mat gradient(480, 640, CV_8UC3);
    for (int row = 0; row < gradient.rows; ++row)
        gradient.row(row).setTo(cv::Scalar(row * 255 / 480, 128, 255 - row * 255 / 480));
    EXPECT_FALSE(freshDetector().detectFace(gradient));

    // The astronaut's flag and shoulder, upside down: real texture, no face.
    cv::Mat noFace;
    cv::flip(photo("astronaut.png")(cv::Rect(0, 256, 256, 256)), noFace, 0);
    EXPECT_FALSE(freshDetector().detectFace(noFace));
}

TEST_P(RealDetectorTest, LosesAndFindsTheFaceAgain) {
    auto detector = freshDetector();
    const auto image = photo("grace_hopper.jpg");
    const auto first = detector.detectFace(image);
    EXPECT_FALSE(detector.detectFace(cv::Mat(image.size(), CV_8UC3, cv::Scalar::all(0))));
    const auto again = detector.detectFace(image);
    ASSERT_TRUE(first && again);
    EXPECT_NEAR(again->leftEyePosition.y, first->leftEyePosition.y, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    BackEnds, RealDetectorTest,
    testing::Values(BackEnd{"BlazeFace", [] { return std::make_unique<BlazeFaceFinder>(kModel); }},
                    BackEnd{"dlib",
                            [] { return std::make_unique<DlibFaceFinder>(DlibFaceFinder::kDefaultPredictorPath); }}),
    [](const testing::TestParamInfo<BackEnd>& param) { return std::string(param.param.name); });

TEST(RealDetectorDeathTest, AMissingModelFileStopsTheProgramNamingIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(BlazeFaceFinder("/nonexistent/face_detection_front_128x128.onnx"),
                 "Fatal error: .*/nonexistent/face_detection_front_128x128.onnx");
    EXPECT_DEATH(DlibFaceFinder("/nonexistent/shape_predictor_68_face_landmarks.dat"),
                 "Fatal error: .*/nonexistent/shape_predictor_68_face_landmarks.dat");
}

}  // namespace
}  // namespace spinewise
