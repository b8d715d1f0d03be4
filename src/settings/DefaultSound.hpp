#pragma once

#include <string_view>

namespace spinewise {

/// The program's own alert sound "Basso", relative to the resource folder.
inline constexpr std::string_view kDefaultSoundResource = "sounds/Basso.wav";

}  // namespace spinewise
