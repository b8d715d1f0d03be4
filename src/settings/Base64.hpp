#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace spinewise {

/// Standard base64 (RFC 4648, with padding).
std::string encodeBase64(std::span<const std::byte> bytes);
/// Nothing when `text` is not padded standard base64.
std::optional<std::vector<std::byte>> decodeBase64(std::string_view text);

}  // namespace spinewise
