#include "posture/BlazeFaceFinder.hpp"

#include "posture/ImageCoordinates.hpp"

namespace spinewise {
namespace {

constexpr float kMinScore = 0.5f;
constexpr float kMinIou = 0.3f;

}  // namespace

BlazeFaceFinder::BlazeFaceFinder(const std::filesystem::path& modelPath)
    : network_(modelPath), crop_(BlazeFaceNetwork::kInputSize) {}

std::vector<FaceFeature> BlazeFaceFinder::findFaces(const cv::Mat& bgrImage, const cv::Rect2d& region) {
    const auto mapping = crop_.extract(bgrImage, region, input_);
    if (!mapping) return {};
    const auto output = network_.run(input_);
    std::vector<FaceFeature> faces;
    for (const auto& detection : decoder_.decode(output.scores, output.regressors, kMinScore, kMinIou)) {
        const auto eye = [&](BlazeFaceDetection::Keypoint which) {
            return mapping->toImage(cv::Point2d(detection.keypoints[which]));
        };
        faces.push_back(faceWithEyes(mapping->toImage(cv::Rect2d(detection.box)), eye(BlazeFaceDetection::rightEye),
                                     eye(BlazeFaceDetection::leftEye), bgrImage.rows));
    }
    return faces;
}

}  // namespace spinewise
