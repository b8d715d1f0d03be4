#pragma once

#include "camera/CaptureDriver.hpp"
#include "camera/V4l2DeviceTree.hpp"

#include <filesystem>
#include <memory>

namespace spinewise {

/// The cameras of the system, captured through OpenCV's V4L2 back end.
/// Devices and identifiers as V4l2DeviceTree reads them; the default device
/// is the capture node with the lowest number.
///
/// A device another program streams from is an error naming the device, both
/// when it is attached and when capture starts. When the device in use is
/// unplugged, reading ends quietly (its node goes within half a second of the
/// failed read); a read that fails while the node stays is a runtime error.
class V4l2Driver final : public CaptureDriver {
public:
    explicit V4l2Driver(std::filesystem::path root = "/",
                        std::shared_ptr<const V4l2NodeAccess> access = std::make_shared<KernelV4l2NodeAccess>());

    std::vector<VideoDevice> devices() const override;
    std::optional<CaptureError> checkAvailable(const VideoDevice& device) const override;
    OpenedReader open(const VideoDevice& device) const override;

private:
    std::optional<CaptureError> claim(const V4l2DeviceTree::Node& node) const;

    V4l2DeviceTree tree_;
};

}  // namespace spinewise
