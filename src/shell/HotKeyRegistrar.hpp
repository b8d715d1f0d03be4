#pragma once

#include "settings/KeyShortcut.hpp"

#include <functional>
#include <string>
#include <string_view>

namespace spinewise {

/// Registers system-wide key combinations and double-tapped modifiers, each
/// under an identifier. Main thread only.
class HotKeyRegistrar {
public:
    virtual ~HotKeyRegistrar() = default;

    /// Removes the hot key stored under `identifier` and releases its system
    /// registration; does nothing when there is none.
    virtual void unregisterHotKey(std::string_view identifier) = 0;

    /// Stores and activates `shortcut` under `identifier`. Whenever it is
    /// pressed, in any application, `action` runs asynchronously on the main
    /// thread. False, and nothing stored, when the identifier is in use or the
    /// system refuses the combination.
    virtual bool registerHotKey(std::string identifier, KeyShortcut shortcut, std::function<void()> action) = 0;
};

}  // namespace spinewise
