#pragma once

#include <filesystem>
#include <optional>

namespace spinewise {

/// The main program's path for the launcher's own path. Installed and in the
/// build tree alike, the launcher is <prefix>/libexec/spinewise/spinewise-launcher
/// and the program <prefix>/bin/spinewise: of the launcher's path components
/// all but the last three are kept and "bin", "spinewise" appended. A path of
/// fewer than four components has no prefix: nothing.
std::optional<std::filesystem::path> mainProgramPath(const std::filesystem::path& launcher);

}  // namespace spinewise
