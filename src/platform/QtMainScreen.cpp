#include "platform/QtMainScreen.hpp"

#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace spinewise {

QtMainScreen::QtMainScreen(ScreenSource primaryScreen) : primaryScreen_(std::move(primaryScreen)) {}

QtMainScreen::ScreenSource QtMainScreen::defaultScreenSource() {
    return [] { return QGuiApplication::primaryScreen(); };
}

std::optional<Rect> QtMainScreen::frame() const {
    const QScreen* screen = primaryScreen_();
    if (!screen) return std::nullopt;
    const QSize size = screen->geometry().size();
    return Rect{0, 0, static_cast<double>(size.width()), static_cast<double>(size.height())};
}

}  // namespace spinewise
