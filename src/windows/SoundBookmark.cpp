#include "windows/SoundBookmark.hpp"

#include <QFileInfo>

namespace spinewise {

std::optional<std::vector<std::byte>> makeSoundBookmark(const QUrl& location) {
    if (!location.isLocalFile()) return std::nullopt;
    const QFileInfo file(location.toLocalFile());
    if (!file.isFile()) return std::nullopt;
    const QByteArray path = file.absoluteFilePath().toUtf8();
    const auto* bytes = reinterpret_cast<const std::byte*>(path.constData());
    return std::vector<std::byte>(bytes, bytes + path.size());
}

}  // namespace spinewise
