#pragma once

#include "settings/UserDefaults.hpp"

#include <QUrl>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace spinewise {

/// The access bookmark of a picked alert sound: the path of an existing local
/// file in UTF-8 bytes. None for a location that is not a local file or no
/// longer exists.
std::optional<std::vector<std::byte>> makeSoundBookmark(const QUrl& location);

/// Removes the entry `key` of the user defaults, keeping the others. Throws
/// std::system_error when the file cannot be written.
void removeUserDefault(const UserDefaults& userDefaults, std::string_view key);

}  // namespace spinewise
