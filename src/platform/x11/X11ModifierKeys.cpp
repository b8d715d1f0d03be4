#include "platform/x11/X11ModifierKeys.hpp"

#include "settings/KeyShortcut.hpp"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace spinewise {
namespace {

std::optional<int> modifierBitOf(KeySym keySym) {
    switch (keySym) {
    case XK_Control_L:
    case XK_Control_R: return KeyShortcut::command;
    case XK_Super_L:
    case XK_Super_R: return KeyShortcut::control;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R: return KeyShortcut::option;
    case XK_Shift_L:
    case XK_Shift_R: return KeyShortcut::shift;
    default: return std::nullopt;
    }
}

}  // namespace

X11ModifierKeys::X11ModifierKeys(Display* display) : display_(display) {}

std::optional<int> X11ModifierKeys::keyChanged(unsigned int keyCode, bool pressed) {
    const std::optional<int> bit = modifierBitOf(XkbKeycodeToKeysym(display_, static_cast<KeyCode>(keyCode), 0, 0));
    if (!bit) return std::nullopt;
    if (pressed)
        heldKeys_[keyCode] = *bit;
    else
        heldKeys_.erase(keyCode);
    int held = 0;
    for (const auto& [heldKeyCode, heldBit] : heldKeys_) held |= heldBit;
    return held;
}

void X11ModifierKeys::reset() { heldKeys_.clear(); }

}  // namespace spinewise
