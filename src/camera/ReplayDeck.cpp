#include "camera/ReplayDeck.hpp"

#include <algorithm>
#include <utility>

namespace spinewise {
namespace {

namespace fs = std::filesystem;

fs::path absoluteWithoutTrailingSeparator(const fs::path& path) {
    auto absolute = fs::absolute(path).lexically_normal();
    return absolute.has_filename() ? absolute : absolute.parent_path();
}

/// The slot of a device in `slots`, or null.
template <class Slots>
auto* findSlot(Slots& slots, const std::string& uniqueID) {
    const auto found = std::ranges::find(slots, uniqueID, [](const auto& slot) -> const std::string& { return slot.device.uniqueID; });
    return found == slots.end() ? nullptr : &*found;
}

}  // namespace

ReplayDeck::ReplayDeck(const std::vector<fs::path>& paths) {
    for (const auto& path : paths) {
        auto absolute = absoluteWithoutTrailingSeparator(path);
        auto uniqueID = "replay:" + absolute.string();
        if (findSlot(slots_, uniqueID)) continue;
        slots_.push_back({VideoDevice{std::move(uniqueID), absolute.filename().string()}, std::move(absolute)});
    }
}

std::vector<VideoDevice> ReplayDeck::connectedDevices() const {
    const std::lock_guard lock(mutex_);
    std::vector<VideoDevice> devices;
    for (const auto& s : slots_)
        if (s.connected) devices.push_back(s.device);
    return devices;
}

std::optional<fs::path> ReplayDeck::pathOf(const std::string& uniqueID) const {
    const std::lock_guard lock(mutex_);
    const auto* s = findSlot(slots_, uniqueID);
    if (!s || !s->connected) return std::nullopt;
    return s->path;
}

void ReplayDeck::setConnected(const std::string& uniqueID, bool connected) {
    const std::lock_guard lock(mutex_);
    if (auto* s = findSlot(slots_, uniqueID)) s->connected = connected;
}

void ReplayDeck::fail(const std::string& uniqueID, std::string description) {
    const std::lock_guard lock(mutex_);
    if (auto* s = findSlot(slots_, uniqueID)) s->failure = std::move(description);
}

std::optional<std::string> ReplayDeck::takeFailure(const std::string& uniqueID) {
    const std::lock_guard lock(mutex_);
    auto* s = findSlot(slots_, uniqueID);
    if (!s) return std::nullopt;
    return std::exchange(s->failure, std::nullopt);
}

}  // namespace spinewise
