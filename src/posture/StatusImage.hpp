#pragma once

#include "posture/Posture.hpp"
#include "foundation/Color.hpp"

#include <optional>
#include <string_view>

namespace spinewise {

/// Which status-bar image to show and the grey to tint it with; the shell
/// loads the named resource and applies `tinted`.
struct StatusImage {
    std::string_view resourceName;
    Color tint;
    friend bool operator==(const StatusImage&, const StatusImage&) = default;
};

inline constexpr std::string_view kStatusCorrectImageName = "status-correct";
inline constexpr std::string_view kStatusPoorImageName = "status-poor";

/// "status-poor" for a poor posture, "status-correct" otherwise; tinted grey 0.3
/// for a posture and the lighter grey 0.5 (the neutral image) for none.
StatusImage statusImage(const std::optional<Posture>& posture);

}  // namespace spinewise
