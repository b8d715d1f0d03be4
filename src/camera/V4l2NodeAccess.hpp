#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

struct v4l2_capability;

namespace spinewise {

/// The calls the V4L2 driver makes on device nodes. Tests put a fake in their
/// place to run the driver on a made-up device tree.
class V4l2NodeAccess {
public:
    virtual ~V4l2NodeAccess() = default;

    /// The node's own capabilities (V4L2_CAP_* bits), or nothing when it
    /// cannot be opened or is no V4L2 node.
    virtual std::optional<std::uint32_t> deviceCapabilities(const std::filesystem::path& node) const = 0;

    /// 0 when this process could take over the node's capture stream now,
    /// otherwise the errno that says why not: EBUSY when another program
    /// streams from it, EACCES, ENOENT and the like when it cannot be opened.
    virtual int claimError(const std::filesystem::path& node) const = 0;
};

/// The node access of the running system, by open(2) and ioctl(2).
class KernelV4l2NodeAccess final : public V4l2NodeAccess {
public:
    std::optional<std::uint32_t> deviceCapabilities(const std::filesystem::path& node) const override;
    int claimError(const std::filesystem::path& node) const override;
};

/// The capabilities of the node the answer to VIDIOC_QUERYCAP came from:
/// device_caps when the driver fills it in, else the device's capabilities.
std::uint32_t nodeCapabilities(const v4l2_capability& capability);

}  // namespace spinewise
