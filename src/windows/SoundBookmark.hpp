#pragma once

#include <QUrl>

#include <cstddef>
#include <optional>
#include <vector>

namespace spinewise {

/// The access bookmark of a picked alert sound: the path of an existing local
/// file in UTF-8 bytes. None for a location that is not a local file or no
/// longer exists.
std::optional<std::vector<std::byte>> makeSoundBookmark(const QUrl& location);

}  // namespace spinewise
