#include "platform/x11/X11HotKeyRegistrar.hpp"

#include "foundation/Log.hpp"
#include "platform/ShortcutKeys.hpp"
#include "platform/x11/UnavailableHotKeyRegistrar.hpp"
#include "platform/x11/X11ErrorTrap.hpp"
#include "platform/x11/X11KeyGrab.hpp"

#include <QMetaObject>
#include <QtGlobal>

#include <algorithm>
#include <array>

// X11's headers define short macros (None, KeyPress...): they come last.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace spinewise {
namespace {

std::string describe(const KeyShortcut& shortcut) { return ShortcutKeys::displayText(shortcut).toStdString(); }

// The XInput opcode when the server speaks XInput 2.2 (raw events reach every
// client then, grabs or not).
std::optional<int> xInput22Opcode(Display* display) {
    int opcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError)) return std::nullopt;
    int major = 2;
    int minor = 2;
    if (XIQueryVersion(display, &major, &minor) != Success || major < 2 || (major == 2 && minor < 2))
        return std::nullopt;
    return opcode;
}

void selectRawKeyEvents(Display* display, bool selected) {
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
    if (selected) {
        XISetMask(bits.data(), XI_RawKeyPress);
        XISetMask(bits.data(), XI_RawKeyRelease);
    }
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(bits.size()), bits.data()};
    const X11ErrorTrap trap(display);
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
}

}  // namespace

void X11HotKeyRegistrar::DisplayCloser::operator()(Display* display) const { XCloseDisplay(display); }

std::unique_ptr<HotKeyRegistrar> X11HotKeyRegistrar::make() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        logLine("Global shortcuts are unavailable: no X11 display");
        return std::make_unique<UnavailableHotKeyRegistrar>();
    }
    if (qgetenv("XDG_SESSION_TYPE") == "wayland")
        logLine("Global shortcuts work only while an X11 window has the focus: this is a Wayland session");
    return std::unique_ptr<HotKeyRegistrar>(new X11HotKeyRegistrar(display));
}

X11HotKeyRegistrar::X11HotKeyRegistrar(Display* display)
    : display_(display),
      xInputOpcode_(xInput22Opcode(display)),
      modifierKeys_(display),
      notifier_(ConnectionNumber(display), QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, this, [this] { readEvents(); });
}

X11HotKeyRegistrar::~X11HotKeyRegistrar() = default;

void X11HotKeyRegistrar::unregisterHotKey(std::string_view identifier) {
    const auto found = hotKeys_.find(identifier);
    if (found == hotKeys_.end()) return;
    hotKeys_.erase(found);
    followModifierKeys();
    readEvents();
}

bool X11HotKeyRegistrar::registerHotKey(std::string identifier, KeyShortcut shortcut, std::function<void()> action) {
    if (hotKeys_.contains(identifier)) return false;
    HotKey hotKey{shortcut, std::move(action), nullptr};
    if (shortcut.doubledModifiers) {
        if (!xInputOpcode_) {
            logLine("Cannot register the global shortcut " + describe(shortcut) + ": the X server lacks XInput 2.2");
            return false;
        }
    } else {
        hotKey.grab = grabCombination(shortcut);
        if (!hotKey.grab) return false;
    }
    hotKeys_.emplace(std::move(identifier), std::move(hotKey));
    followModifierKeys();
    readEvents();
    return true;
}

std::unique_ptr<X11KeyGrab> X11HotKeyRegistrar::grabCombination(const KeyShortcut& shortcut) {
    const std::optional<unsigned long> keySym = ShortcutKeys::x11KeySym(shortcut.keyCode);
    const KeyCode keyCode = keySym ? XKeysymToKeycode(display_.get(), *keySym) : 0;
    if (keyCode == 0) {
        logLine("Cannot register the global shortcut " + describe(shortcut) + ": the keyboard has no such key");
        return nullptr;
    }
    // This connection grabs each combination once: a second grab would share the first one's release.
    const unsigned int modifiers = ShortcutKeys::x11ModifierMask(shortcut.modifiers);
    const bool taken = std::any_of(hotKeys_.begin(), hotKeys_.end(), [&](const auto& entry) {
        return entry.second.grab && entry.second.grab->matches(keyCode, modifiers);
    });
    std::unique_ptr<X11KeyGrab> grab = taken ? nullptr : X11KeyGrab::grab(display_.get(), keyCode, modifiers);
    if (!grab) logLine("Cannot register the global shortcut " + describe(shortcut) + ": it is taken");
    return grab;
}

void X11HotKeyRegistrar::followModifierKeys() {
    const bool wanted = std::any_of(hotKeys_.begin(), hotKeys_.end(),
                                    [](const auto& entry) { return entry.second.shortcut.doubledModifiers; });
    if (wanted == followingModifierKeys_) return;
    followingModifierKeys_ = wanted;
    modifierKeys_.reset();
    doubleTaps_ = DoubleTapDetector();
    selectRawKeyEvents(display_.get(), wanted);
}

void X11HotKeyRegistrar::readEvents() {
    // Xlib may have queued events while waiting for a reply, so the queue is
    // emptied whether or not the socket had anything new.
    while (XPending(display_.get()) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        handle(event);
    }
}

void X11HotKeyRegistrar::handle(XEvent& event) {
    if (event.type == KeyPress) {
        for (const auto& [identifier, hotKey] : hotKeys_)
            if (hotKey.grab && hotKey.grab->matches(event.xkey.keycode, event.xkey.state)) deliver(hotKey.action);
    } else if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
    } else if (event.type == GenericEvent && event.xcookie.extension == xInputOpcode_ &&
               XGetEventData(display_.get(), &event.xcookie)) {
        const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
        handleRawKey(event.xcookie.evtype, static_cast<unsigned int>(raw->detail), raw->time);
        XFreeEventData(display_.get(), &event.xcookie);
    }
}

void X11HotKeyRegistrar::handleRawKey(int type, unsigned int keyCode, unsigned long serverTime) {
    if (type != XI_RawKeyPress && type != XI_RawKeyRelease) return;
    const std::optional<int> held = modifierKeys_.keyChanged(keyCode, type == XI_RawKeyPress);
    if (!held) return;
    const std::optional<int> tapped = doubleTaps_.modifiersChanged(*held, static_cast<TimeInterval>(serverTime) / 1000.0);
    if (!tapped) return;
    for (const auto& [identifier, hotKey] : hotKeys_)
        if (hotKey.shortcut.doubledModifiers && hotKey.shortcut.modifiers == *tapped) deliver(hotKey.action);
}

void X11HotKeyRegistrar::deliver(const std::function<void()>& action) {
    QMetaObject::invokeMethod(this, action, Qt::QueuedConnection);
}

}  // namespace spinewise
