#include "posture/ImageCoordinates.hpp"

#include <utility>

namespace spinewise {

FaceFeature faceWithEyes(const cv::Rect2d& bounds, cv::Point2d eyeA, cv::Point2d eyeB, int imageHeight) {
    if (eyeB.x < eyeA.x) std::swap(eyeA, eyeB);
    return {bottomLeftRect(bounds, imageHeight), bottomLeftPoint(eyeA, imageHeight),
            bottomLeftPoint(eyeB, imageHeight)};
}

}  // namespace spinewise
