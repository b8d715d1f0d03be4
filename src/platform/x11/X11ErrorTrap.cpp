#include "platform/x11/X11ErrorTrap.hpp"

#include "foundation/Fatal.hpp"

#include <X11/Xlib.h>

namespace spinewise {
namespace {

// The one trap set: Xlib's error handler is a process-wide function.
Display* trappedDisplay = nullptr;
bool trappedFailure = false;
XErrorHandler previousHandler = nullptr;

int recordError(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay) {
        trappedFailure = true;
        return 0;
    }
    return previousHandler ? previousHandler(display, error) : 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display_(display) {
    if (trappedDisplay) fatalError("X11 error traps do not nest");
    // Errors of earlier requests are not this trap's.
    XSync(display_, False);
    trappedDisplay = display_;
    trappedFailure = false;
    previousHandler = XSetErrorHandler(recordError);
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previousHandler);
    trappedDisplay = nullptr;
    previousHandler = nullptr;
}

bool X11ErrorTrap::failed() {
    XSync(display_, False);
    return trappedFailure;
}

}  // namespace spinewise
