#pragma once

#include "foundation/Color.hpp"

#include <QColor>
#include <QSize>
#include <QWidget>

namespace spinewise {

/// The alert overlay: a frameless window of one colour, above normal windows,
/// that lets every click through and never takes the focus. Created at
/// 0,0 800x600, red, at opacity 0.3, until the settings replace those.
///
/// Where the desktop cannot blend windows (X11 without a compositing
/// manager) the window would hide the screen: it then shows only a band
/// along the screen's edges.
class OverlayWindow final : public QWidget {
public:
    /// The width of the band along the edges, in pixels.
    static constexpr int kEdgeWidth = 24;

    explicit OverlayWindow(bool isOpacityAvailable = true);

    /// The window's opacity for the setting `notificationTransparency` t:
    /// 0.7 for t = 0 down to 0.3 for t = 1.
    static double opacityForTransparency(double transparency);

    /// Fills the window with the colour's red, green and blue; its alpha is not used.
    void setColor(const Color& color);
    void setTransparency(double transparency);
    QColor color() const;

    /// Covers the main screen, of `screenSize`, and comes to the front without
    /// taking the focus.
    void showCovering(QSize screenSize);

private:
    bool isOpacityAvailable_;
};

}  // namespace spinewise
