#include "posture/EyeLevelRule.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace spinewise {
namespace {

using State = Posture::State;

constexpr Size kImage{1280, 720};
constexpr Size kScreen{1440, 900};
const DetectedFace kFace{{400, 300, 500, 300}, {500, 400}, {780, 410}};  // eyes map to y 495 and 506.25

TEST(EyeLevelRule, JudgesTheWorkedExampleAtSeveralLines) {
    struct Case {
        double eyeLevel;
        State expected;
    };
    for (const auto& c : {Case{0.5, State::correct}, Case{0.56, State::poor}, Case{0.6, State::poor},
                          Case{0.0, State::correct}}) {
        SCOPED_TRACE(c.eyeLevel);
        EXPECT_EQ(classifyPosture(kFace, kImage, kScreen, c.eyeLevel, 0).state, c.expected);
    }
}

TEST(EyeLevelRule, AnEyeOnTheLineIsNotBelowItButATinyAmountLowerIs) {
    // Equal aspect, scale 1: an eye at y = 450 lies exactly on the line at 0.5 of 900.
    const Size same{1440, 900};
    const DetectedFace onLine{{0, 0, 10, 10}, {100, 450}, {200, 600}};
    EXPECT_EQ(classifyPosture(onLine, same, kScreen, 0.5, 0).state, State::correct);

    auto justBelow = onLine;
    justBelow.rightEyePosition.y = std::nextafter(450.0, 0.0);
    justBelow.rightEyePosition.x = 300;
    justBelow.leftEyePosition.y = 600;
    EXPECT_EQ(classifyPosture(justBelow, same, kScreen, 0.5, 0).state, State::poor);
}

TEST(EyeLevelRule, NotANumberCountsAsCorrect) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto face = kFace;
    face.leftEyePosition.y = nan;
    EXPECT_EQ(classifyPosture(face, kImage, kScreen, 0.9, 0).state, State::poor) << "the right eye is still below";
    face.rightEyePosition.y = nan;
    EXPECT_EQ(classifyPosture(face, kImage, kScreen, 0.9, 0).state, State::correct);
    EXPECT_EQ(classifyPosture(kFace, kImage, kScreen, nan, 0).state, State::correct);
    EXPECT_EQ(classifyPosture(kFace, {0, 0}, kScreen, 0.5, 0).state, State::correct) << "zero-size image";
}

TEST(EyeLevelRule, NoFaceIsUnknownAndEveryPostureStartsNowWithoutAFace) {
    const auto unknown = classifyPosture(std::nullopt, kImage, kScreen, 0.5, 1234.5);
    EXPECT_EQ(unknown.state, State::unknown);
    EXPECT_EQ(unknown.start, 1234.5);
    EXPECT_FALSE(unknown.detectedFace);

    const auto judged = classifyPosture(kFace, kImage, kScreen, 0.5, 99.0);
    EXPECT_EQ(judged.start, 99.0);
    EXPECT_FALSE(judged.detectedFace);
}

TEST(EyeLevelRule, ANewEyeLevelAppliesToTheNextFrame) {
    double eyeLevel = 0.5;
    EXPECT_EQ(classifyPosture(kFace, kImage, kScreen, eyeLevel, 0).state, State::correct);
    eyeLevel = 0.6;  // recalibrated between two frames
    EXPECT_EQ(classifyPosture(kFace, kImage, kScreen, eyeLevel, 0.3).state, State::poor);
}

}  // namespace
}  // namespace spinewise
