#include "platform/x11/X11KeyGrab.hpp"

#include "platform/x11/X11ErrorTrap.hpp"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>

namespace spinewise {
namespace {

constexpr unsigned int kShortcutModifiers = ShiftMask | ControlMask | Mod1Mask | Mod4Mask;

// The modifier mask (Mod1Mask...) a key with `keySym` sets; 0 when no key does.
unsigned int modifierMaskOf(Display* display, KeySym keySym) {
    const KeyCode keyCode = XKeysymToKeycode(display, keySym);
    if (keyCode == 0) return 0;
    XModifierKeymap* map = XGetModifierMapping(display);
    unsigned int mask = 0;
    for (int modifier = 0; modifier < 8; ++modifier)
        for (int index = 0; index < map->max_keypermod; ++index)
            if (map->modifiermap[modifier * map->max_keypermod + index] == keyCode) mask |= 1u << modifier;
    XFreeModifiermap(map);
    return mask;
}

// Every combination of the lock masks, none held included.
std::vector<unsigned int> lockVariants(Display* display) {
    std::vector<unsigned int> variants{0};
    for (const unsigned int lock :
         {static_cast<unsigned int>(LockMask), modifierMaskOf(display, XK_Num_Lock), modifierMaskOf(display, XK_Scroll_Lock)}) {
        if (lock == 0 || (lock & kShortcutModifiers) != 0) continue;
        const std::size_t count = variants.size();
        for (std::size_t index = 0; index < count; ++index)
            if (std::find(variants.begin(), variants.end(), variants[index] | lock) == variants.end())
                variants.push_back(variants[index] | lock);
    }
    return variants;
}

}  // namespace

X11KeyGrab::X11KeyGrab(Display* display, unsigned int keyCode, unsigned int modifiers)
    : display_(display), keyCode_(keyCode), modifiers_(modifiers), lockVariants_(lockVariants(display)) {}

std::unique_ptr<X11KeyGrab> X11KeyGrab::grab(Display* display, unsigned int keyCode, unsigned int modifiers) {
    std::unique_ptr<X11KeyGrab> keyGrab(new X11KeyGrab(display, keyCode, modifiers));
    bool refused = false;
    {
        X11ErrorTrap trap(display);
        for (const unsigned int locks : keyGrab->lockVariants_)
            XGrabKey(display, static_cast<int>(keyCode), modifiers | locks, DefaultRootWindow(display), False,
                     GrabModeAsync, GrabModeAsync);
        refused = trap.failed();
    }
    // Releasing every variant is safe: a client releases only its own grabs.
    if (refused) return nullptr;
    return keyGrab;
}

X11KeyGrab::~X11KeyGrab() {
    X11ErrorTrap trap(display_);
    for (const unsigned int locks : lockVariants_)
        XUngrabKey(display_, static_cast<int>(keyCode_), modifiers_ | locks, DefaultRootWindow(display_));
}

bool X11KeyGrab::matches(unsigned int keyCode, unsigned int state) const {
    return keyCode == keyCode_ && (state & kShortcutModifiers) == modifiers_;
}

}  // namespace spinewise
