#include "camera/V4l2DeviceTree.hpp"

#include <linux/videodev2.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <set>

namespace spinewise {
namespace {

namespace fs = std::filesystem;

/// The number of a node named "video<N>", for ordering.
int nodeNumber(const std::string& name) {
    int number = -1;
    const auto digits = name.find_first_of("0123456789");
    if (digits != std::string::npos) std::from_chars(name.data() + digits, name.data() + name.size(), number);
    return number;
}

std::string trimmed(std::string text) {
    const auto isSpace = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && isSpace(static_cast<unsigned char>(text.back()))) text.pop_back();
    const auto begin = std::ranges::find_if_not(text, isSpace);
    return {begin, text.end()};
}

std::optional<std::string> readText(const fs::path& file) {
    std::ifstream in(file);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

V4l2DeviceTree::V4l2DeviceTree(fs::path root, std::shared_ptr<const V4l2NodeAccess> access)
    : root_(std::move(root)), access_(std::move(access)) {}

std::vector<V4l2DeviceTree::Node> V4l2DeviceTree::nodes() const {
    std::vector<std::string> entries;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(root_ / "sys/class/video4linux", error))
        entries.push_back(entry.path().filename().string());
    std::ranges::sort(entries, {}, [](const std::string& name) { return std::pair(nodeNumber(name), name); });

    std::vector<Node> nodes;
    std::set<std::pair<fs::path, std::string>> present;
    for (const auto& entry : entries) {
        const auto path = root_ / "dev" / entry;
        auto uniqueID = uniqueIDOf(path);
        present.emplace(path, uniqueID);
        if (!canCapture(path, uniqueID)) continue;
        const auto name = readText(root_ / "sys/class/video4linux" / entry / "name");
        auto displayName = name ? trimmed(*name) : std::string();
        nodes.push_back({VideoDevice{std::move(uniqueID), displayName.empty() ? entry : std::move(displayName)}, path});
    }

    const std::lock_guard lock(mutex_);
    std::erase_if(capabilities_, [&](const auto& cached) { return !present.contains(cached.first); });
    return nodes;
}

std::optional<V4l2DeviceTree::Node> V4l2DeviceTree::find(const std::string& uniqueID) const {
    auto all = nodes();
    const auto found = std::ranges::find(all, uniqueID, [](const Node& node) { return node.device.uniqueID; });
    if (found == all.end()) return std::nullopt;
    return std::move(*found);
}

std::string V4l2DeviceTree::uniqueIDOf(const fs::path& node) const {
    if (auto link = linkTo(root_ / "dev/v4l/by-id", node)) return *link;
    if (auto link = linkTo(root_ / "dev/v4l/by-path", node)) return *link;
    return node.filename().string();
}

/// The first link (by name) in `linkFolder` that points at `node`. Link
/// targets are read inside the tree: relative to the folder, or from root_
/// when absolute.
std::optional<std::string> V4l2DeviceTree::linkTo(const fs::path& linkFolder, const fs::path& node) const {
    std::set<std::string> matches;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(linkFolder, error)) {
        std::error_code linkError;
        const auto target = fs::read_symlink(entry.path(), linkError);
        if (linkError) continue;
        const auto resolved = target.is_absolute() ? root_ / target.relative_path() : linkFolder / target;
        if (resolved.lexically_normal() == node.lexically_normal()) matches.insert(entry.path().filename().string());
    }
    if (matches.empty()) return std::nullopt;
    return *matches.begin();
}

bool V4l2DeviceTree::canCapture(const fs::path& node, const std::string& uniqueID) const {
    const auto key = std::pair(node, uniqueID);
    std::uint32_t capabilities = 0;
    {
        const std::lock_guard lock(mutex_);
        if (const auto cached = capabilities_.find(key); cached != capabilities_.end()) {
            capabilities = cached->second;
        } else if (const auto queried = access_->deviceCapabilities(node)) {
            capabilities = *queried;
            capabilities_.emplace(key, capabilities);
        }
    }
    return (capabilities & V4L2_CAP_VIDEO_CAPTURE) != 0;
}

}  // namespace spinewise
