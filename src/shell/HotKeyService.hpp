#pragma once

#include "settings/KeyShortcut.hpp"
#include "shell/HotKeyRegistrar.hpp"

#include <functional>
#include <optional>
#include <string_view>

namespace spinewise {

/// Keeps the one global "Check Posture" shortcut registered: each shortcut
/// given replaces the previous one. Main thread only.
class HotKeyService {
public:
    static constexpr std::string_view kIdentifier = "shortcutID";

    /// `checkPosture` runs, on the main thread, whenever the shortcut is pressed.
    HotKeyService(HotKeyRegistrar& registrar, std::function<void()> checkPosture);

    /// Unregisters the current shortcut, then registers `shortcut` when given.
    /// A shortcut the system refuses stays silently inactive.
    void registerShortcut(const std::optional<KeyShortcut>& shortcut);

private:
    HotKeyRegistrar& registrar_;
    std::function<void()> checkPosture_;
};

}  // namespace spinewise
