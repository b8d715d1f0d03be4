#pragma once

#include "posture/FaceDetector.hpp"
#include "posture/Posture.hpp"

#include <memory>
#include <optional>

namespace spinewise {

/// Finds the face and both eye centres in a frame with one face detector,
/// created once and reused for every frame. Not thread-safe: one instance per
/// frame stream.
class Detector {
public:
    /// The default back end (BlazeFace).
    Detector();
    /// A given back end; none means every frame gives no face.
    explicit Detector(std::unique_ptr<FaceDetector> faceDetector);

    /// The first feature's face in image coordinates (origin bottom left), or
    /// nothing when there is no feature or the first lacks an eye. Later
    /// features are never looked at.
    std::optional<DetectedFace> detectFace(const cv::Mat& bgrImage);

private:
    std::unique_ptr<FaceDetector> faceDetector_;
};

}  // namespace spinewise
