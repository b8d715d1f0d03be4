#pragma once

#include <opencv2/core/mat.hpp>

#include <optional>

namespace spinewise {

/// Where a point of a crop lies in the source image (OpenCV coordinates):
/// x = originX + u * scaleX, y = originY + v * scaleY for crop point (u, v).
struct CropMapping {
    double originX = 0;
    double originY = 0;
    double scaleX = 1;
    double scaleY = 1;

    cv::Point2d toImage(cv::Point2d cropPoint) const {
        return {originX + cropPoint.x * scaleX, originY + cropPoint.y * scaleY};
    }
    cv::Rect2d toImage(const cv::Rect2d& cropRect) const {
        return {toImage(cropRect.tl()), cv::Size2d(cropRect.width * scaleX, cropRect.height * scaleY)};
    }
};

/// Scales the square `region` of a BGR image (OpenCV coordinates; it may reach
/// past the image, which reads as black) into `crop`, a side x side 8UC3 image.
/// Bilinear sampling at twice the size followed by a 2x2 average keeps the
/// cost proportional to the crop, not the region, while limiting aliasing.
/// Returns the exact mapping back to the image, or nothing when the region
/// does not meet the image.
class SquareCrop {
public:
    explicit SquareCrop(int side);

    int side() const { return side_; }
    std::optional<CropMapping> extract(const cv::Mat& bgrImage, const cv::Rect2d& region, cv::Mat& crop);

private:
    int side_;
    cv::Mat doubled_;
};

}  // namespace spinewise
