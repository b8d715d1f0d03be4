#pragma once

#include "foundation/Geometry.hpp"
#include "posture/FaceFeature.hpp"

#include <opencv2/core/types.hpp>

namespace spinewise {

// OpenCV measures from the top-left corner with y down; image coordinates here
// have their origin at the bottom left with y up. Both are continuous: pixel
// (column c, row r) covers [c, c + 1] x [r, r + 1] in OpenCV's terms.

inline Point bottomLeftPoint(cv::Point2d point, int imageHeight) { return {point.x, imageHeight - point.y}; }

/// A rectangle keeps its size; its origin becomes its bottom edge.
inline Rect bottomLeftRect(const cv::Rect2d& rect, int imageHeight) {
    return {rect.x, imageHeight - (rect.y + rect.height), rect.width, rect.height};
}

inline cv::Rect2d topLeftRect(const Rect& rect, int imageHeight) {
    return {rect.x, imageHeight - (rect.y + rect.height), rect.width, rect.height};
}

/// A face with both eyes from OpenCV coordinates; the eye with the smaller x
/// becomes the left one.
FaceFeature faceWithEyes(const cv::Rect2d& bounds, cv::Point2d eyeA, cv::Point2d eyeB, int imageHeight);

}  // namespace spinewise
