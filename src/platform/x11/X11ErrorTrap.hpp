#pragma once

struct _XDisplay;

namespace spinewise {

/// While alive, protocol errors caused on `display` are recorded instead of
/// reaching Xlib's default handler (which ends the process). Errors of other
/// connections go on to the handler installed before. Main thread only; traps
/// do not nest.
class X11ErrorTrap {
public:
    explicit X11ErrorTrap(_XDisplay* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    /// Waits until the server has handled every request sent so far; true
    /// when one of those sent since the trap was set failed.
    bool failed();

private:
    _XDisplay* display_;
};

}  // namespace spinewise
