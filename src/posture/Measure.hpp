#pragma once

#include "foundation/Geometry.hpp"

namespace spinewise {

/// How an image is fitted into a target rectangle.
enum class VideoGravity {
    resizeAspect,      ///< aspect-fit: the whole image shows, centred, bars where aspects differ
    resizeAspectFill,  ///< aspect-fill: the target is covered, centred, the image overflows
    resize,            ///< stretch: each axis scaled on its own to fill the target exactly
};

/// Maps image coordinates into the coordinates of a target on which the image
/// is displayed with a gravity. Both have their origin at the bottom left.
namespace Measure {

Rect convert(const Rect& rect, Size imageSize, Size targetSize, VideoGravity gravity);

/// A point maps like a zero-size rectangle at that point.
Point convert(const Point& point, Size imageSize, Size targetSize, VideoGravity gravity);

}  // namespace Measure
}  // namespace spinewise
