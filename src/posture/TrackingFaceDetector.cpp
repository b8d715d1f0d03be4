#include "posture/TrackingFaceDetector.hpp"

#include "posture/ImageCoordinates.hpp"

#include <algorithm>
#include <cmath>

namespace spinewise {
namespace {

constexpr double kSearchScale = 2.0;
/// How far the square searched may be from the one around the face found,
/// as a fraction of its side, before the face is searched again.
constexpr double kPlacementTolerance = 0.1;

bool closeTo(const cv::Rect2d& searched, const cv::Rect2d& ideal) {
    const double tolerance = kPlacementTolerance * ideal.width;
    return std::abs(searched.x - ideal.x) <= tolerance && std::abs(searched.y - ideal.y) <= tolerance &&
           std::abs(searched.width - ideal.width) <= tolerance;
}

}  // namespace

TrackingFaceDetector::TrackingFaceDetector(std::unique_ptr<RegionFaceFinder> finder) : finder_(std::move(finder)) {}

std::vector<FaceFeature> TrackingFaceDetector::features(const cv::Mat& bgrImage) {
    if (lastFace_) {
        const auto around = searchSquareAround(*lastFace_, bgrImage.rows);
        if (auto nearby = finder_->findFaces(bgrImage, around); !nearby.empty())
            return remember(refined(bgrImage, around, std::move(nearby)));
    }
    const auto whole = wholeImageSquare(bgrImage.size());
    return remember(refined(bgrImage, whole, finder_->findFaces(bgrImage, whole)));
}

std::vector<FaceFeature> TrackingFaceDetector::refined(const cv::Mat& bgrImage, const cv::Rect2d& searched,
                                                       std::vector<FaceFeature> faces) {
    if (faces.empty()) return faces;
    const auto ideal = searchSquareAround(faces.front().bounds, bgrImage.rows);
    if (closeTo(searched, ideal)) return faces;
    auto again = finder_->findFaces(bgrImage, ideal);
    return again.empty() ? faces : again;
}

std::vector<FaceFeature> TrackingFaceDetector::remember(std::vector<FaceFeature> faces) {
    lastFace_ = faces.empty() ? std::nullopt : std::optional(faces.front().bounds);
    return faces;
}

cv::Rect2d TrackingFaceDetector::searchSquareAround(const Rect& face, int imageHeight) {
    const auto bounds = topLeftRect(face, imageHeight);
    const double side = kSearchScale * std::max(bounds.width, bounds.height);
    return {bounds.x + bounds.width / 2 - side / 2, bounds.y + bounds.height / 2 - side / 2, side, side};
}

cv::Rect2d TrackingFaceDetector::wholeImageSquare(cv::Size imageSize) {
    const double side = std::max(imageSize.width, imageSize.height);
    return {(imageSize.width - side) / 2, (imageSize.height - side) / 2, side, side};
}

}  // namespace spinewise
