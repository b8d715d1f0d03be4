#pragma once

#include "posture/FaceFeature.hpp"

#include <opencv2/core/mat.hpp>

#include <vector>

namespace spinewise {

/// A face-finding back end. Given a BGR image (8UC3) it returns the faces it
/// found, largest first, in image coordinates with the origin at the bottom
/// left. May keep state between calls (for example the last face, to search
/// near it first), so one instance serves one stream of frames.
class FaceDetector {
public:
    virtual ~FaceDetector() = default;
    virtual std::vector<FaceFeature> features(const cv::Mat& bgrImage) = 0;
};

}  // namespace spinewise
