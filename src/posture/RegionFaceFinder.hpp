#pragma once

#include "posture/FaceFeature.hpp"

#include <opencv2/core/mat.hpp>

#include <vector>

namespace spinewise {

/// Finds faces inside one square region of a BGR image (8UC3). The region is
/// in OpenCV coordinates (top left, y down) and may reach past the image; what
/// lies outside is treated as black. Faces come back in image coordinates
/// (origin bottom left), largest first.
class RegionFaceFinder {
public:
    virtual ~RegionFaceFinder() = default;
    virtual std::vector<FaceFeature> findFaces(const cv::Mat& bgrImage, const cv::Rect2d& region) = 0;
};

}  // namespace spinewise
