#pragma once

#include "foundation/Clock.hpp"
#include "foundation/Geometry.hpp"
#include "posture/Posture.hpp"

#include <optional>

namespace spinewise {

/// The eye-level rule. Both eyes are mapped aspect-fit from the image onto the
/// target; the posture is poor when either lies strictly below the line at
/// `eyeLevelInPercent` (a fraction 0..1) of the target's height, correct
/// otherwise (NaN compares false, so it counts as correct), unknown without a
/// face. The result starts at `now` and carries no face.
Posture classifyPosture(const std::optional<DetectedFace>& face, Size imageSize, Size targetSize,
                        double eyeLevelInPercent, TimeInterval now);

}  // namespace spinewise
