#pragma once

#include <opencv2/core/types.hpp>

#include <array>
#include <span>
#include <vector>

namespace spinewise {

/// One face found by the front BlazeFace model, in input pixels (0..128).
struct BlazeFaceDetection {
    enum Keypoint { rightEye, leftEye, noseTip, mouth, rightEar, leftEar, keypointCount };

    float score = 0;
    cv::Rect2f box;
    /// In the subject's terms: the subject's right eye is the one on the
    /// image's left in an unmirrored picture.
    std::array<cv::Point2f, keypointCount> keypoints{};
};

/// Decodes the front model's raw output against its 896 SSD anchors: a 16x16
/// grid of stride 8 with 2 anchors per cell, then an 8x8 grid of stride 16
/// with 6, cells row by row, each anchor of unit size at its cell's centre.
class BlazeFaceDecoder {
public:
    static constexpr int kInputSize = 128;
    static constexpr int kAnchorCount = 896;
    static constexpr int kValuesPerAnchor = 16;  ///< box centre x, y, width, height, then 6 keypoints x, y

    BlazeFaceDecoder();

    /// `scores` holds one logit per anchor, `regressors` 16 values per anchor,
    /// both in anchor order. Keeps anchors whose sigmoid score reaches
    /// `minScore`, then merges overlapping ones (weighted non-maximum
    /// suppression: boxes overlapping the best by more than `minIou` are
    /// averaged into it, weighted by score). Largest box first.
    std::vector<BlazeFaceDetection> decode(std::span<const float> scores, std::span<const float> regressors,
                                           float minScore, float minIou) const;

    const std::vector<cv::Point2f>& anchors() const { return anchors_; }

private:
    std::vector<cv::Point2f> anchors_;  ///< centres in input pixels
};

}  // namespace spinewise
