#include "shell/PostureAlert.hpp"

#include "foundation/Fatal.hpp"
#include "settings/Preferences.hpp"

#include <cmath>

namespace spinewise {

PostureAlert::PostureAlert(const Preferences& preferences, const MainScreen& mainScreen, AlertSoundSource& sounds,
                           std::function<bool()> isOpacityAvailable)
    : preferences_(preferences),
      mainScreen_(mainScreen),
      sounds_(sounds),
      isOpacityAvailable_(std::move(isOpacityAvailable)) {}

OverlayWindow& PostureAlert::window() {
    if (!window_) window_ = std::make_unique<OverlayWindow>(isOpacityAvailable_());
    return *window_;
}

void PostureAlert::show() {
    auto& overlay = window();
    if (overlay.isVisible()) return;
    if (preferences_.playNotificationSound()) {
        sound_ = sounds_.alertSound();
        sound_->play();
    }
    const auto screen = mainScreen_.frame();
    if (!screen) fatalError("There is no main screen to cover with the alert overlay");
    overlay.showCovering(QSize(static_cast<int>(std::lround(screen->width)), static_cast<int>(std::lround(screen->height))));
}

void PostureAlert::hide() {
    if (sound_) sound_->stop();
    window().hide();
}

}  // namespace spinewise
