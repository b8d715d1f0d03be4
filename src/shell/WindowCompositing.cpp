#include "shell/WindowCompositing.hpp"

#include <QGuiApplication>

#include <string>

#include <X11/Xlib.h>

namespace spinewise {

bool isWindowOpacityAvailable() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display()) return true;
    Display* display = x11->display();
    // A compositing manager owns the selection _NET_WM_CM_S<screen number>.
    const std::string selection = "_NET_WM_CM_S" + std::to_string(XDefaultScreen(display));
    const Atom atom = XInternAtom(display, selection.c_str(), False);
    return XGetSelectionOwner(display, atom) != None;
}

}  // namespace spinewise
