#pragma once

#include "camera/V4l2NodeAccess.hpp"
#include "camera/VideoDevice.hpp"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace spinewise {

/// The video capture nodes of a system, read from the tree under `root`
/// ("/" on a running system): the entries of sys/class/video4linux whose node
/// in dev/ can capture video (V4L2_CAP_VIDEO_CAPTURE). Each is named by its
/// sysfs "name" and identified by the name of its link in dev/v4l/by-id, or
/// in dev/v4l/by-path when it has none (both survive a replug), or by the node
/// name ("video0") on a system without those links. Thread-safe.
class V4l2DeviceTree {
public:
    struct Node {
        VideoDevice device;
        std::filesystem::path path;
    };

    V4l2DeviceTree(std::filesystem::path root, std::shared_ptr<const V4l2NodeAccess> access);

    /// The capture nodes in node-number order (video2 before video10).
    std::vector<Node> nodes() const;

    std::optional<Node> find(const std::string& uniqueID) const;

    const V4l2NodeAccess& access() const { return *access_; }

private:
    std::string uniqueIDOf(const std::filesystem::path& node) const;
    std::optional<std::string> linkTo(const std::filesystem::path& linkFolder, const std::filesystem::path& node) const;
    bool canCapture(const std::filesystem::path& node, const std::string& uniqueID) const;

    const std::filesystem::path root_;
    const std::shared_ptr<const V4l2NodeAccess> access_;

    // Capabilities by node and identifier: a node is opened for them once,
    // not at every look, so that a camera is not woken up every second. A node
    // that could not be asked (udev may not have opened it to us yet) is
    // asked again at the next look.
    mutable std::mutex mutex_;
    mutable std::map<std::pair<std::filesystem::path, std::string>, std::uint32_t> capabilities_;
};

}  // namespace spinewise
