#pragma once

#include "posture/FaceDetector.hpp"
#include "posture/RegionFaceFinder.hpp"

#include <memory>
#include <optional>

namespace spinewise {

/// Searches the square around the last face found first: twice the face's
/// size, centred on it, where the face shows large and well placed. When
/// that finds nothing, or there is no last face, it searches the whole image
/// (as a square centred on it). A face that the search shows off-centre or
/// at the wrong scale (the first find in the whole image, a jump) is looked
/// at once more in the square around it, which places the eyes more exactly.
/// The result is the faces of the last search, largest first.
class TrackingFaceDetector final : public FaceDetector {
public:
    explicit TrackingFaceDetector(std::unique_ptr<RegionFaceFinder> finder);

    std::vector<FaceFeature> features(const cv::Mat& bgrImage) override;

    /// The square searched around a face (image coordinates), in OpenCV coordinates.
    static cv::Rect2d searchSquareAround(const Rect& face, int imageHeight);
    /// The square of side max(width, height) centred on the image.
    static cv::Rect2d wholeImageSquare(cv::Size imageSize);

private:
    std::vector<FaceFeature> refined(const cv::Mat& bgrImage, const cv::Rect2d& searched,
                                     std::vector<FaceFeature> faces);
    std::vector<FaceFeature> remember(std::vector<FaceFeature> faces);

    std::unique_ptr<RegionFaceFinder> finder_;
    std::optional<Rect> lastFace_;
};

}  // namespace spinewise
