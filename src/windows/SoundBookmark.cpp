#include "windows/SoundBookmark.hpp"

#include "settings/FileSystem.hpp"

#include <QFileInfo>

#include <nlohmann/json.hpp>

#include <string>

namespace spinewise {

std::optional<std::vector<std::byte>> makeSoundBookmark(const QUrl& location) {
    if (!location.isLocalFile()) return std::nullopt;
    const QFileInfo file(location.toLocalFile());
    if (!file.isFile()) return std::nullopt;
    const QByteArray path = file.absoluteFilePath().toUtf8();
    const auto* bytes = reinterpret_cast<const std::byte*>(path.constData());
    return std::vector<std::byte>(bytes, bytes + path.size());
}

void removeUserDefault(const UserDefaults& userDefaults, std::string_view key) {
    nlohmann::json entries;
    try {
        entries = nlohmann::json::parse(readFileContents(userDefaults.file()));
    } catch (const std::exception&) {
        return;  // A missing or damaged defaults file holds no entry to remove.
    }
    if (!entries.is_object() || !entries.contains(key)) return;
    entries.erase(std::string(key));
    replaceFileContents(userDefaults.file(), entries.dump());
}

}  // namespace spinewise
