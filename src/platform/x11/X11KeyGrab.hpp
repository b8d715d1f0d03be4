#pragma once

#include <memory>
#include <vector>

struct _XDisplay;

namespace spinewise {

/// A key combination grabbed on the root window, so that pressing it in any
/// application reports a KeyPress to this connection. Every Caps, Num and
/// Scroll Lock state is grabbed alike. Released when destroyed.
class X11KeyGrab {
public:
    /// Grabs `keyCode` pressed with exactly the `modifiers` mask held; none when
    /// the server refuses a lock variant (another client holds it), and then no
    /// variant stays grabbed.
    static std::unique_ptr<X11KeyGrab> grab(_XDisplay* display, unsigned int keyCode, unsigned int modifiers);
    ~X11KeyGrab();
    X11KeyGrab(const X11KeyGrab&) = delete;
    X11KeyGrab& operator=(const X11KeyGrab&) = delete;

    /// Whether a KeyPress of `keyCode` in modifier `state` is this combination, whatever the lock keys.
    bool matches(unsigned int keyCode, unsigned int state) const;

private:
    X11KeyGrab(_XDisplay* display, unsigned int keyCode, unsigned int modifiers);

    _XDisplay* display_;
    unsigned int keyCode_;
    unsigned int modifiers_;
    std::vector<unsigned int> lockVariants_;
};

}  // namespace spinewise
