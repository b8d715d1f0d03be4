#include "posture/SquareCrop.hpp"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace spinewise {
namespace {

/// One axis: the whole source pixels [first, last) inside the region and the
/// whole crop pixels [cropFirst, cropLast) they scale onto.
struct AxisSpan {
    int first;
    int last;
    int cropFirst;
    int cropLast;
    bool empty() const { return last <= first || cropLast <= cropFirst; }
};

AxisSpan span(double regionStart, double regionLength, int imageLength, int cropLength) {
    const int first = std::max(0, static_cast<int>(std::floor(regionStart)));
    const int last = std::min(imageLength, static_cast<int>(std::ceil(regionStart + regionLength)));
    const double scale = cropLength / regionLength;
    const int cropFirst = std::clamp(static_cast<int>(std::lround((first - regionStart) * scale)), 0, cropLength);
    const int cropLast = std::clamp(static_cast<int>(std::lround((last - regionStart) * scale)), 0, cropLength);
    return {first, last, cropFirst, cropLast};
}

}  // namespace

SquareCrop::SquareCrop(int side) : side_(side), doubled_(2 * side, 2 * side, CV_8UC3) {}

std::optional<CropMapping> SquareCrop::extract(const cv::Mat& bgrImage, const cv::Rect2d& region, cv::Mat& crop) {
    const int doubledSide = doubled_.cols;
    const auto x = span(region.x, region.width, bgrImage.cols, doubledSide);
    const auto y = span(region.y, region.height, bgrImage.rows, doubledSide);
    if (region.width <= 0 || region.height <= 0 || x.empty() || y.empty()) return std::nullopt;

    doubled_.setTo(cv::Scalar::all(0));
    const cv::Rect source(x.first, y.first, x.last - x.first, y.last - y.first);
    const cv::Rect target(x.cropFirst, y.cropFirst, x.cropLast - x.cropFirst, y.cropLast - y.cropFirst);
    cv::Mat targetArea = doubled_(target);
    cv::resize(bgrImage(source), targetArea, target.size(), 0, 0, cv::INTER_LINEAR);
    cv::resize(doubled_, crop, cv::Size(side_, side_), 0, 0, cv::INTER_AREA);

    // cv::resize maps the source span exactly onto the target span, so the
    // mapping follows from the two integer spans; a crop pixel is two doubled ones.
    const double scaleX = static_cast<double>(source.width) / target.width;
    const double scaleY = static_cast<double>(source.height) / target.height;
    return CropMapping{source.x - target.x * scaleX, source.y - target.y * scaleY, 2 * scaleX, 2 * scaleY};
}

}  // namespace spinewise
