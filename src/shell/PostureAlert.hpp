#pragma once

#include "foundation/Color.hpp"
#include "foundation/Screen.hpp"
#include "shell/AlertSound.hpp"
#include "shell/AlertSoundSource.hpp"
#include "shell/OverlayWindow.hpp"

#include <functional>
#include <memory>

namespace spinewise {

class Preferences;

/// The alert for a confirmed poor posture: the coloured overlay across the
/// main screen and, when "playNotificationSound" asks for it, one play of the
/// alert sound. The overlay window is created on first use and kept. Main
/// thread only.
class PostureAlert {
public:
    /// `isOpacityAvailable` tells, when the window is made, whether the desktop
    /// blends windows (OverlayWindow).
    PostureAlert(const Preferences& preferences, const MainScreen& mainScreen, AlertSoundSource& sounds,
                 std::function<bool()> isOpacityAvailable);

    /// Plays the sound and covers the main screen, unless the overlay is
    /// already up (then nothing: no second sound). Stops the program when
    /// there is no main screen.
    void show();
    /// Stops the sound and takes the overlay down.
    void hide();

    void setColor(const Color& color) { window().setColor(color); }
    void setTransparency(double transparency) { window().setTransparency(transparency); }

    OverlayWindow& window();
    /// The sound last played, kept so that hide() can stop it.
    AlertSound* sound() const { return sound_.get(); }

private:
    const Preferences& preferences_;
    const MainScreen& mainScreen_;
    AlertSoundSource& sounds_;
    std::function<bool()> isOpacityAvailable_;
    std::unique_ptr<AlertSound> sound_;
    std::unique_ptr<OverlayWindow> window_;
};

}  // namespace spinewise
