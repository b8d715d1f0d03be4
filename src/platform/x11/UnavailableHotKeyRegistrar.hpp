#pragma once

#include "shell/HotKeyRegistrar.hpp"

namespace spinewise {

/// The registrar where the system offers no global shortcuts: it refuses every hot key.
class UnavailableHotKeyRegistrar final : public HotKeyRegistrar {
public:
    void unregisterHotKey(std::string_view) override {}
    bool registerHotKey(std::string, KeyShortcut, std::function<void()>) override { return false; }
};

}  // namespace spinewise
