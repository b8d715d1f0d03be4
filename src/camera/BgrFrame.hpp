#pragma once

#include <opencv2/core/mat.hpp>

#include <optional>

namespace spinewise {

/// The frame as BGR with 8 bits a channel, converted from grey or BGRA when
/// needed; nothing for an empty frame or any other layout.
std::optional<cv::Mat> asBgrFrame(const cv::Mat& frame);

}  // namespace spinewise
