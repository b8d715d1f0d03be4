#pragma once

namespace spinewise {

/// Whether the desktop blends windows by their opacity: on X11 only while a
/// compositing manager runs; other window systems always do.
bool isWindowOpacityAvailable();

}  // namespace spinewise
