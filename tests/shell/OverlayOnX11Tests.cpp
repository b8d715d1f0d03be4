// The overlay on a real X server with a window manager: it covers the screen
// above a normal window, clicks pass through it to that window, and it never
// becomes the active window; window opacity is known to work only while a
// compositing manager runs.
#include "shell/OverlayWindow.hpp"
#include "shell/WindowCompositing.hpp"

#include <QApplication>
#include <QMouseEvent>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <X11/Xlib.h>

namespace spinewise::testing {
namespace {

constexpr int kWaitMilliseconds = 5000;

/// A normal window that counts the mouse presses it receives.
class ClickCountingWindow final : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

TEST(OverlayOnX11Test, ClicksPassThroughToTheWindowBelowAndTheFocusStaysThere) {
    ClickCountingWindow below;
    below.setGeometry(100, 100, 400, 300);
    below.show();
    below.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&below, kWaitMilliseconds));

    OverlayWindow overlay;
    overlay.setTransparency(0.5);
    if (qEnvironmentVariableIsEmpty("NO_OVERLAY")) overlay.showCovering(QSize(1280, 1024));
    if (qEnvironmentVariableIsEmpty("NO_OVERLAY")) { ASSERT_TRUE(QTest::qWaitForWindowExposed(&overlay, kWaitMilliseconds)); }
    EXPECT_EQ(overlay.geometry(), QRect(0, 0, 1280, 1024));

    ASSERT_EQ(QProcess::execute("xdotool", {"mousemove", "300", "250", "click", "1"}), 0);
    EXPECT_TRUE(QTest::qWaitFor([&below] { return below.presses == 1; }, kWaitMilliseconds));
    QTest::qWait(100);
    EXPECT_EQ(QApplication::activeWindow(), &below);
}

TEST(OverlayOnX11Test, OpacityIsAvailableWhileACompositingManagerHoldsItsSelection) {
    EXPECT_FALSE(isWindowOpacityAvailable()) << "openbox does not composite";

    QWidget compositor;  // stands in for one by taking the selection
    Display* display = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->display();
    const Atom selection = XInternAtom(display, "_NET_WM_CM_S0", False);
    XSetSelectionOwner(display, selection, compositor.winId(), CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(isWindowOpacityAvailable());
}

}  // namespace
}  // namespace spinewise::testing
