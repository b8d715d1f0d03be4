#pragma once

#include "foundation/KeyValueObservable.hpp"

#include <string>
#include <string_view>

namespace spinewise {

/// Key paths of a preset's observable fields.
namespace PresetKey {
inline constexpr std::string_view title = "title";
inline constexpr std::string_view eyeLevelInPercent = "eyeLevelInPercent";
}  // namespace PresetKey

/// A named eye level (a fraction 0 to 1 of the screen height) the user can apply
/// in one step. Both fields are observable under their key paths (PresetKey).
/// Presets are shared objects with identity, so views can observe the one they show.
class Preset final : public KeyValueObservable {
public:
    Preset(std::string title, double eyeLevelInPercent)
        : title_(std::move(title)), eyeLevelInPercent_(eyeLevelInPercent) {}
    Preset(const Preset&) = delete;
    Preset& operator=(const Preset&) = delete;

    const std::string& title() const { return title_; }
    void setTitle(std::string title);
    double eyeLevelInPercent() const { return eyeLevelInPercent_; }
    void setEyeLevelInPercent(double eyeLevelInPercent);

    /// "Preset(title: <title>, eyeLevelInPercent: <shortest round-trip decimal>)".
    std::string description() const;

private:
    std::string title_;
    double eyeLevelInPercent_;
};

}  // namespace spinewise
