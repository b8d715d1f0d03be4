#pragma once

#include "foundation/Geometry.hpp"
#include "posture/Posture.hpp"

#include <nlohmann/json_fwd.hpp>

#include <optional>
#include <string>

namespace spinewise {

/// What the probe found in one frame.
struct ProbeRecord {
    std::string source;
    long frameIndex = 0;
    Size imageSize;
    std::optional<DetectedFace> face;  ///< image coordinates, origin bottom left
    Posture::State state = Posture::State::unknown;
    double detectionMilliseconds = 0;
};

/// {"source", "frame", "imageSize": {width, height}, "face": {x, y, width, height} | null,
///  "leftEye": {x, y} | null, "rightEye": {x, y} | null, "state", "detectionMs"}
nlohmann::json toJson(const ProbeRecord& record);

}  // namespace spinewise
