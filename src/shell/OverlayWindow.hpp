#pragma once

#include "foundation/Color.hpp"

#include <QColor>
#include <QSize>
#include <QWidget>

namespace spinewise {

/// The alert overlay: a frameless window of one colour, above normal windows,
/// that lets every click through and never takes the focus. Created at
/// 0,0 800x600, red, at opacity 0.3, until the settings replace those.
class OverlayWindow final : public QWidget {
public:
    OverlayWindow();

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
};

}  // namespace spinewise
