#include "monitoring/FramePostureClassifier.hpp"

#include "posture/EyeLevelRule.hpp"
#include "settings/Preferences.hpp"

namespace spinewise {

FramePostureClassifier::FramePostureClassifier(Detector detector, const Preferences& preferences,
                                               const MainScreen& mainScreen, const Clock& clock)
    : detector_(std::move(detector)), preferences_(preferences), mainScreen_(mainScreen), clock_(clock) {}

std::optional<Posture> FramePostureClassifier::classify(const cv::Mat& frame, Rect cleanAperture) {
    const auto screen = mainScreen_.frame();
    if (!screen) return std::nullopt;
    const auto face = detector_.detectFace(frame);
    return classifyPosture(face, {cleanAperture.width, cleanAperture.height}, {screen->width, screen->height},
                           preferences_.eyeLevelInPercent(), clock_.now());
}

}  // namespace spinewise
