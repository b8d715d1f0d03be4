#include "shell/OverlayWindow.hpp"

#include <QPalette>
#include <QRegion>

#include <algorithm>

namespace spinewise {

OverlayWindow::OverlayWindow(bool isOpacityAvailable)
    // Past the window manager too: a manager's frame around the window would
    // catch the clicks the window itself lets through.
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
                           Qt::X11BypassWindowManagerHint),
      isOpacityAvailable_(isOpacityAvailable) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setGeometry(0, 0, 800, 600);
    setColor({1, 0, 0, 1});
    setWindowOpacity(0.3);
}

double OverlayWindow::opacityForTransparency(double transparency) {
    return ((1 - transparency) - 1) * 0.39999999999999997 + 0.7;
}

void OverlayWindow::setColor(const Color& color) {
    const auto component = [](double value) { return static_cast<float>(std::clamp(value, 0.0, 1.0)); };
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     QColor::fromRgbF(component(color.red), component(color.green), component(color.blue), 1.0F));
    setPalette(colours);
}

void OverlayWindow::setTransparency(double transparency) { setWindowOpacity(opacityForTransparency(transparency)); }

QColor OverlayWindow::color() const { return palette().color(QPalette::Window); }

void OverlayWindow::showCovering(QSize screenSize) {
    setGeometry(0, 0, screenSize.width(), screenSize.height());
    if (!isOpacityAvailable_) {
        const QRect whole(QPoint(0, 0), screenSize);
        setMask(QRegion(whole).subtracted(whole.adjusted(kEdgeWidth, kEdgeWidth, -kEdgeWidth, -kEdgeWidth)));
    }
    show();
    raise();
}

}  // namespace spinewise
