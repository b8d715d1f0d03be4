#pragma once

#include "settings/Preset.hpp"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace spinewise {

/// The class name each preset carries in the presets file.
inline constexpr std::string_view kPresetClassName = "Spinewise.Preset";

/// The presets file's bytes: a keyed archive whose root array holds one
/// "Spinewise.Preset" object per preset, with the keys "title" and "eyeLevelInPercent".
std::string archivePresets(const std::vector<std::shared_ptr<Preset>>& presets);

/// The presets of such an archive, in order. Throws KeyedArchiveError when the
/// archive is malformed or an element is not a preset with a string title and
/// a number as eye level.
std::vector<std::shared_ptr<Preset>> unarchivePresets(std::string_view bytes);

}  // namespace spinewise
