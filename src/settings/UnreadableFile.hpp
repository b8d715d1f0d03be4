#pragma once

#include "foundation/Clock.hpp"

#include <filesystem>
#include <string_view>

namespace spinewise {

/// A data file that cannot be used is kept as its name + this + a UTC time stamp.
inline constexpr std::string_view kUnreadableSuffix = ".unreadable-";

/// Renames an unusable data file to "<name>.unreadable-<yyyymmddThhmmssZ>"
/// (with "-2", "-3", ... when that name is taken), so that saving over it later
/// does not destroy it. Logs one line: "Kept the unreadable <description> as
/// <new path>", or why the rename failed.
void keepUnreadableFileAside(const std::filesystem::path& file, std::string_view description, TimeInterval now);

}  // namespace spinewise
