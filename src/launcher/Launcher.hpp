#pragma once

#include <filesystem>

namespace spinewise {

/// The launcher's one pass, run at login: when Spinewise already runs for this
/// user, nothing; otherwise it starts the main program beside the launcher
/// (see mainProgramPath) with the single argument "helper", detached in a
/// session of its own, and does not wait for it. A failure goes to the system
/// log. Returns whether the pass went as it should (false: nothing could be started).
bool runLauncher(const std::filesystem::path& launcher);

}  // namespace spinewise
