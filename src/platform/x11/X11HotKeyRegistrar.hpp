#pragma once

#include "foundation/DoubleTapDetector.hpp"
#include "platform/x11/X11ModifierKeys.hpp"
#include "shell/HotKeyRegistrar.hpp"

#include <QObject>
#include <QSocketNotifier>

#include <map>
#include <memory>
#include <optional>

struct _XDisplay;
union _XEvent;

namespace spinewise {

class X11KeyGrab;

/// Global hot keys on an X server, through a connection of its own read on the
/// main thread's event loop. Combinations are key grabs on the root window;
/// double taps of a modifier are seen in the raw key events of XInput 2, which
/// are asked for only while a double tap is registered.
class X11HotKeyRegistrar final : public QObject, public HotKeyRegistrar {
public:
    /// The registrar of the X display named by DISPLAY; one that refuses every
    /// hot key, after a diagnostic line, when there is none. In a Wayland
    /// session the X server sees keys only while one of its windows has the
    /// focus: a diagnostic line says so.
    static std::unique_ptr<HotKeyRegistrar> make();
    ~X11HotKeyRegistrar() override;

    void unregisterHotKey(std::string_view identifier) override;
    bool registerHotKey(std::string identifier, KeyShortcut shortcut, std::function<void()> action) override;

private:
    struct DisplayCloser {
        void operator()(_XDisplay* display) const;
    };
    struct HotKey {
        KeyShortcut shortcut;
        std::function<void()> action;
        std::unique_ptr<X11KeyGrab> grab;  // none for a double tap
    };

    explicit X11HotKeyRegistrar(_XDisplay* display);

    std::unique_ptr<X11KeyGrab> grabCombination(const KeyShortcut& shortcut);
    void followModifierKeys();
    void readEvents();
    void handle(_XEvent& event);
    void handleRawKey(int type, unsigned int keyCode, unsigned long serverTime);
    void deliver(const std::function<void()>& action);

    // Declared first, closed last: the grabs are released on it.
    std::unique_ptr<_XDisplay, DisplayCloser> display_;
    std::optional<int> xInputOpcode_;  // none: no double taps
    bool followingModifierKeys_ = false;
    X11ModifierKeys modifierKeys_;
    DoubleTapDetector doubleTaps_;
    std::map<std::string, HotKey, std::less<>> hotKeys_;
    QSocketNotifier notifier_;
};

}  // namespace spinewise
