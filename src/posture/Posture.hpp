#pragma once

#include "foundation/Clock.hpp"
#include "foundation/Geometry.hpp"

#include <nlohmann/json_fwd.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace spinewise {

/// A face and both eye centres, in the coordinates of whoever produced it.
struct DetectedFace {
    Rect faceRect;
    Point leftEyePosition;
    Point rightEyePosition;
    friend bool operator==(const DetectedFace&, const DetectedFace&) = default;
};

/// One posture judgement: its state, when that state began, and optionally the face.
struct Posture {
    enum class State { correct, poor, unknown };

    State state = State::unknown;
    TimeInterval start = 0;
    std::optional<DetectedFace> detectedFace;

    /// Postures are equal when their states are; start and face are ignored.
    friend bool operator==(const Posture& a, const Posture& b) { return a.state == b.state; }

    /// "<state> duration: <now - start>".
    std::string description(TimeInterval now) const;
};

std::string_view toString(Posture::State state);

/// Thrown when a stored posture cannot be read.
class PostureDecodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Stored form: {"state": "<name>", "start": <seconds>}; the face is never stored.
nlohmann::json toJson(const Posture& posture);
/// Reads the stored form; throws PostureDecodingError when it is not one.
Posture postureFromJson(const nlohmann::json& json);

}  // namespace spinewise
