#include "posture/EyeLevelRule.hpp"

#include "posture/Measure.hpp"

namespace spinewise {

Posture classifyPosture(const std::optional<DetectedFace>& face, Size imageSize, Size targetSize,
                        double eyeLevelInPercent, TimeInterval now) {
    if (!face) return {Posture::State::unknown, now, std::nullopt};
    const auto gravity = VideoGravity::resizeAspect;
    const double leftY = Measure::convert(face->leftEyePosition, imageSize, targetSize, gravity).y;
    const double rightY = Measure::convert(face->rightEyePosition, imageSize, targetSize, gravity).y;
    const double line = targetSize.height * eyeLevelInPercent;
    const bool eyeBelowLine = line > leftY || line > rightY;
    return {eyeBelowLine ? Posture::State::poor : Posture::State::correct, now, std::nullopt};
}

}  // namespace spinewise
