#pragma once

#include <string_view>

namespace spinewise {

/// Shows a modal warning box with `message`, the optional `informativeText`
/// under it and one "OK" button; returns once the user has dismissed it.
/// Main thread only.
void runWarningAlert(std::string_view message, std::string_view informativeText = {});

}  // namespace spinewise
