#pragma once

#include "posture/RegionFaceFinder.hpp"

#include <opencv2/objdetect.hpp>

#include <filesystem>

namespace spinewise {

/// The baseline: OpenCV's Haar face cascade, then its eye cascade in the upper
/// half of each face; an eye is the centre of its box, and a face keeps only
/// the eyes found (at most the two largest).
class HaarFaceFinder final : public RegionFaceFinder {
public:
    static constexpr const char* kCascadeDirectory = "/usr/share/opencv4/haarcascades";

    explicit HaarFaceFinder(const std::filesystem::path& cascadeDirectory);

    std::vector<FaceFeature> findFaces(const cv::Mat& bgrImage, const cv::Rect2d& region) override;

private:
    cv::CascadeClassifier faces_;
    cv::CascadeClassifier eyes_;
};

}  // namespace spinewise
