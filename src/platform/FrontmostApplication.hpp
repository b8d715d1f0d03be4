#pragma once

namespace spinewise {

/// Whether one of the program's windows is the active window of the desktop.
/// Main thread only.
bool isProgramFrontmost();

}  // namespace spinewise
