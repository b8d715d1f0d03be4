#include "settings/Base64.hpp"

#include <algorithm>
#include <cstdint>

namespace spinewise {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::optional<std::uint32_t> sextet(char symbol) {
    const auto index = kAlphabet.find(symbol);
    if (index == std::string_view::npos) return std::nullopt;
    return static_cast<std::uint32_t>(index);
}

}  // namespace

std::string encodeBase64(std::span<const std::byte> bytes) {
    std::string text;
    text.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < count ? std::to_integer<std::uint32_t>(bytes[i + k]) : 0U);
        for (std::size_t k = 0; k < 4; ++k)
            text.push_back(k <= count ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=');
    }
    return text;
}

std::optional<std::vector<std::byte>> decodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::vector<std::byte> bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const std::size_t padding = last ? (text[i + 3] == '=') + (text[i + 2] == '=') : 0;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            if (k >= 4 - padding) {
                group <<= 6;
                continue;
            }
            const auto value = sextet(text[i + k]);
            if (!value) return std::nullopt;
            group = (group << 6) | *value;
        }
        for (std::size_t k = 0; k < 3 - padding; ++k) bytes.push_back(static_cast<std::byte>(group >> (16 - 8 * k)));
    }
    return bytes;
}

}  // namespace spinewise
