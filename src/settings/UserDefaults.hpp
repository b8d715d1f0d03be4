#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace spinewise {

/// The program's user defaults: one JSON object in a file of the user's
/// configuration folder, each member a stored value, the file replaced
/// atomically on every change.
///
/// Raw bytes are stored as an object with the single member "base64", the
/// bytes in padded standard base64: {"key": {"base64": "AAE="}}. A plain
/// string, a number, any other object or ill-formed base64 is not raw bytes,
/// so reading it as bytes gives nothing.
class UserDefaults {
public:
    static constexpr std::string_view kFileName = "user-defaults.json";

    explicit UserDefaults(std::filesystem::path file) : file_(std::move(file)) {}
    /// The defaults file in `configHome`: <configHome>/com.brightfold.spinewise/user-defaults.json.
    static UserDefaults inConfigHome(const std::filesystem::path& configHome);

    const std::filesystem::path& file() const { return file_; }

    /// The bytes stored under `key`; nothing when there is no such entry, the
    /// entry is not raw bytes, or the file is missing or unreadable.
    std::optional<std::vector<std::byte>> data(std::string_view key) const;

    /// Stores `bytes` under `key`, keeping the other entries. Creates the
    /// folder when needed. Throws std::system_error when the file cannot be written.
    void setData(std::string_view key, std::span<const std::byte> bytes) const;

    /// Removes the entry under `key`, keeping the others; does nothing when
    /// there is none. Throws std::system_error when the file cannot be written.
    void removeValue(std::string_view key) const;

private:
    std::filesystem::path file_;
};

}  // namespace spinewise
