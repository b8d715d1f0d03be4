#include "posture/Detector.hpp"

#include <gtest/gtest.h>

namespace spinewise {
namespace {

/// Answers every frame with the same scripted features and counts the calls.
class ScriptedFaceDetector final : public FaceDetector {
public:
    explicit ScriptedFaceDetector(std::vector<FaceFeature> features, int* calls)
        : features_(std::move(features)), calls_(calls) {}
    std::vector<FaceFeature> features(const cv::Mat&) override {
        ++*calls_;
        return features_;
    }

private:
    std::vector<FaceFeature> features_;
    int* calls_;
};

const FaceFeature kFullFace{{10, 20, 100, 120}, Point{40, 90}, Point{80, 92}};
const FaceFeature kOtherFullFace{{300, 20, 50, 60}, Point{310, 50}, Point{330, 50}};

std::optional<DetectedFace> detectWith(std::vector<FaceFeature> features) {
    int calls = 0;
    Detector detector(std::make_unique<ScriptedFaceDetector>(std::move(features), &calls));
    return detector.detectFace(cv::Mat(4, 4, CV_8UC3));
}

TEST(Detector, ReportsTheFirstFeatureAsFound) {
    const auto face = detectWith({kFullFace, kOtherFullFace});
    ASSERT_TRUE(face);
    EXPECT_EQ(*face, (DetectedFace{{10, 20, 100, 120}, {40, 90}, {80, 92}}));
}

TEST(Detector, AFirstFeatureWithoutBothEyesGivesNoFaceWhateverFollows) {
    auto leftOnly = kFullFace;
    leftOnly.rightEyePosition.reset();
    auto rightOnly = kFullFace;
    rightOnly.leftEyePosition.reset();
    auto noEyes = kFullFace;
    noEyes.leftEyePosition.reset();
    noEyes.rightEyePosition.reset();
    for (const auto& first : {leftOnly, rightOnly, noEyes}) EXPECT_FALSE(detectWith({first, kOtherFullFace}));
}

TEST(Detector, NoFeaturesOrNoBackEndGiveNoFace) {
    EXPECT_FALSE(detectWith({}));
    Detector withoutBackEnd(nullptr);
    EXPECT_FALSE(withoutBackEnd.detectFace(cv::Mat(4, 4, CV_8UC3)));
}

TEST(Detector, UsesItsOneBackEndForEveryFrame) {
    int calls = 0;
    Detector detector(std::make_unique<ScriptedFaceDetector>(std::vector{kFullFace}, &calls));
    const cv::Mat frame(4, 4, CV_8UC3);
    EXPECT_TRUE(detector.detectFace(frame));
    EXPECT_TRUE(detector.detectFace(frame));
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace spinewise
