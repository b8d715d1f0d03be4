#include "posture/Measure.hpp"

#include "foundation/Fatal.hpp"

#include <algorithm>

namespace spinewise::Measure {
namespace {

struct AxisMapping {
    double scaleX;
    double scaleY;
    double offsetX;
    double offsetY;
};

/// Aspect-fit and aspect-fill scale both axes by one factor and centre the
/// scaled image (offsets >= 0 for fit, <= 0 for fill).
AxisMapping uniform(double scale, Size imageSize, Size targetSize) {
    const double scaledWidth = scale * imageSize.width;
    const double scaledHeight = scale * imageSize.height;
    return {scaledWidth / imageSize.width, scaledHeight / imageSize.height,
            (targetSize.width - scaledWidth) * 0.5, (targetSize.height - scaledHeight) * 0.5};
}

AxisMapping mapping(Size imageSize, Size targetSize, VideoGravity gravity) {
    const double ratioX = targetSize.width / imageSize.width;
    const double ratioY = targetSize.height / imageSize.height;
    switch (gravity) {
        case VideoGravity::resizeAspect: return uniform(std::min(ratioX, ratioY), imageSize, targetSize);
        case VideoGravity::resizeAspectFill: return uniform(std::max(ratioX, ratioY), imageSize, targetSize);
        // Stretch: each axis scaled independently so the image fills the target; no offsets.
        case VideoGravity::resize: return {ratioX, ratioY, 0, 0};
    }
    fatalError("Unknown AVLayerVideoGravity");
}

}  // namespace

Rect convert(const Rect& rect, Size imageSize, Size targetSize, VideoGravity gravity) {
    const auto m = mapping(imageSize, targetSize, gravity);
    return {rect.x * m.scaleX + m.offsetX, rect.y * m.scaleY + m.offsetY, rect.width * m.scaleX,
            rect.height * m.scaleY};
}

Point convert(const Point& point, Size imageSize, Size targetSize, VideoGravity gravity) {
    const auto mapped = convert(Rect{point.x, point.y, 0, 0}, imageSize, targetSize, gravity);
    return {mapped.x, mapped.y};
}

}  // namespace spinewise::Measure
