#pragma once

#include "foundation/Geometry.hpp"

#include <optional>

namespace spinewise {

/// One face found in an image, in image coordinates (pixels, origin at the
/// bottom left, y up). The left eye is the one with the smaller x in the
/// camera's unmirrored image; an eye the detector could not place is absent.
struct FaceFeature {
    Rect bounds;
    std::optional<Point> leftEyePosition;
    std::optional<Point> rightEyePosition;
    friend bool operator==(const FaceFeature&, const FaceFeature&) = default;
};

}  // namespace spinewise
