#pragma once

#include "posture/BlazeFaceDecoder.hpp"
#include "posture/BlazeFaceNetwork.hpp"
#include "posture/RegionFaceFinder.hpp"
#include "posture/SquareCrop.hpp"

#include <filesystem>

namespace spinewise {

/// Finds faces with the front BlazeFace model: the region is scaled into the
/// model's square input, and boxes and eye keypoints are mapped back.
class BlazeFaceFinder final : public RegionFaceFinder {
public:
    /// The model file as shipped in the resources.
    static constexpr const char* kModelResource = "models/face_detection_front_128x128.onnx";

    explicit BlazeFaceFinder(const std::filesystem::path& modelPath);

    std::vector<FaceFeature> findFaces(const cv::Mat& bgrImage, const cv::Rect2d& region) override;

private:
    BlazeFaceNetwork network_;
    BlazeFaceDecoder decoder_;
    SquareCrop crop_;
    cv::Mat input_;
};

}  // namespace spinewise
