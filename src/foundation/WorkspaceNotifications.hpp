#pragma once

#include "foundation/NotificationCenter.hpp"

#include <string_view>

namespace spinewise {

/// The desktop's own events, posted on their own centre (apart from the
/// program's default one) by the desktop shell, on the main thread.
struct WorkspaceNotifications {
    /// Every screen went to sleep.
    static constexpr std::string_view screensDidSleep = "screensDidSleep";
    /// The screens woke up.
    static constexpr std::string_view screensDidWake = "screensDidWake";

    /// The running program's workspace centre.
    static NotificationCenter& center() {
        static NotificationCenter workspace;
        return workspace;
    }
};

}  // namespace spinewise
