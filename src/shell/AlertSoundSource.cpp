#include "shell/AlertSoundSource.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "settings/DefaultSound.hpp"
#include "settings/Preferences.hpp"

#include <fstream>
#include <optional>
#include <string>
#include <system_error>

namespace spinewise {
namespace {

/// The whole file, or nothing when it is not a regular file that can be read.
std::optional<QByteArray> contentsOf(const std::filesystem::path& location) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(location, error)) return std::nullopt;
    std::ifstream file(location, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0) return std::nullopt;
    QByteArray contents(static_cast<qsizetype>(size), '\0');
    file.seekg(0);
    if (!file.read(contents.data(), static_cast<std::streamsize>(size))) return std::nullopt;
    return contents;
}

}  // namespace

AlertSoundSource::AlertSoundSource(const Preferences& preferences, const ResourceBundle& resources,
                                   AlertSoundFactory& factory)
    : preferences_(preferences), resources_(resources), factory_(factory) {}

std::unique_ptr<AlertSound> AlertSoundSource::alertSound() {
    if (auto picked = soundFromBookmark()) return picked;
    return defaultSound();
}

std::unique_ptr<AlertSound> AlertSoundSource::soundFromBookmark() {
    const auto bookmark = preferences_.notificationSoundBookmark();
    if (!bookmark) return nullptr;
    const std::string path(reinterpret_cast<const char*>(bookmark->data()), bookmark->size());
    std::error_code error;
    if (path.empty() || path.find('\0') != std::string::npos) {
        logLine("Error resolving URL from bookmark: The bookmark holds no file path");
        return nullptr;
    }
    if (!std::filesystem::exists(path, error)) {
        logLine("Error resolving URL from bookmark: The file \"" + path + "\" does not exist");
        return nullptr;
    }
    return soundFromFile(path);
}

std::unique_ptr<AlertSound> AlertSoundSource::defaultSound() {
    const auto location = resources_.requiredResource(kDefaultSoundResource);
    auto sound = soundFromFile(location);
    if (!sound) fatalError("The default sound " + location.string() + " cannot be played");
    return sound;
}

std::unique_ptr<AlertSound> AlertSoundSource::soundFromFile(const std::filesystem::path& location) {
    const auto contents = contentsOf(location);
    auto sound = contents ? factory_.soundFromContents(*contents) : nullptr;
    if (!sound) logLine("Could not create sound from: " + location.string());
    return sound;
}

}  // namespace spinewise
