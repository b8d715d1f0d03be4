#pragma once

#include "foundation/ResourceBundle.hpp"
#include "shell/AlertSound.hpp"
#include "shell/AlertSoundFactory.hpp"

#include <filesystem>
#include <memory>

namespace spinewise {

class Preferences;

/// Chooses the alert sound: the file the user picked, else the program's own
/// "Basso". The pick is kept as a bookmark in the user defaults; here a
/// bookmark is the file's path in UTF-8 bytes. Problems with the picked file
/// are logged and fall back to "Basso"; a missing or broken "Basso" is an
/// installation fault that stops the program.
class AlertSoundSource {
public:
    AlertSoundSource(const Preferences& preferences, const ResourceBundle& resources, AlertSoundFactory& factory);

    /// soundFromBookmark(), or the default sound when that gives nothing.
    std::unique_ptr<AlertSound> alertSound();

    /// The picked file's sound, loaded from a copy of its contents; null
    /// without a bookmark, and null after a logged line when the file is gone
    /// ("Error resolving URL from bookmark: ") or holds no sound ("Could not
    /// create sound from: ").
    std::unique_ptr<AlertSound> soundFromBookmark();

    /// "Basso".
    std::unique_ptr<AlertSound> defaultSound();

private:
    std::unique_ptr<AlertSound> soundFromFile(const std::filesystem::path& location);

    const Preferences& preferences_;
    const ResourceBundle& resources_;
    AlertSoundFactory& factory_;
};

}  // namespace spinewise
