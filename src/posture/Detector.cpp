#include "posture/Detector.hpp"

#include "posture/FaceDetectorFactory.hpp"

namespace spinewise {

Detector::Detector() : Detector(makeFaceDetector(FaceDetectorKind::blazeFace)) {}

Detector::Detector(std::unique_ptr<FaceDetector> faceDetector) : faceDetector_(std::move(faceDetector)) {}

std::optional<DetectedFace> Detector::detectFace(const cv::Mat& bgrImage) {
    if (!faceDetector_) return std::nullopt;
    const auto features = faceDetector_->features(bgrImage);
    if (features.empty()) return std::nullopt;
    const auto& face = features.front();
    if (!face.leftEyePosition || !face.rightEyePosition) return std::nullopt;
    return DetectedFace{face.bounds, *face.leftEyePosition, *face.rightEyePosition};
}

}  // namespace spinewise
