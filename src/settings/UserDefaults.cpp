#include "settings/UserDefaults.hpp"

#include "foundation/BundleIdentifier.hpp"
#include "settings/Base64.hpp"
#include "settings/FileSystem.hpp"

#include <nlohmann/json.hpp>

namespace spinewise {
namespace {

constexpr std::string_view kBytesMember = "base64";

/// The stored object, or an empty one when the file is missing or is not a JSON object.
nlohmann::json readEntries(const std::filesystem::path& file) {
    try {
        auto json = nlohmann::json::parse(readFileContents(file));
        if (json.is_object()) return json;
    } catch (const std::exception&) {
        // A missing or damaged defaults file holds no entries.
    }
    return nlohmann::json::object();
}

}  // namespace

UserDefaults UserDefaults::inConfigHome(const std::filesystem::path& configHome) {
    return UserDefaults(configHome / kBundleIdentifier / kFileName);
}

std::optional<std::vector<std::byte>> UserDefaults::data(std::string_view key) const {
    const auto entries = readEntries(file_);
    const auto entry = entries.find(key);
    if (entry == entries.end() || !entry->is_object() || entry->size() != 1) return std::nullopt;
    const auto encoded = entry->find(kBytesMember);
    if (encoded == entry->end() || !encoded->is_string()) return std::nullopt;
    return decodeBase64(encoded->get_ref<const std::string&>());
}

void UserDefaults::setData(std::string_view key, std::span<const std::byte> bytes) const {
    auto entries = readEntries(file_);
    entries[std::string(key)] = {{kBytesMember, encodeBase64(bytes)}};
    if (const auto error = createPrivateDirectories(file_.parent_path()))
        throw std::system_error(error, "Cannot create the folder " + file_.parent_path().string());
    replaceFileContents(file_, entries.dump());
}

void UserDefaults::removeValue(std::string_view key) const {
    auto entries = readEntries(file_);
    const auto entry = entries.find(key);
    if (entry == entries.end()) return;
    entries.erase(entry);
    replaceFileContents(file_, entries.dump());
}

}  // namespace spinewise
