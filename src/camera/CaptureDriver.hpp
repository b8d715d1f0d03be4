#pragma once

#include "camera/CaptureError.hpp"
#include "camera/VideoDevice.hpp"

#include <opencv2/core/mat.hpp>

#include <memory>
#include <optional>
#include <stop_token>
#include <variant>
#include <vector>

namespace spinewise {

/// A read that ended because the capture was asked to stop.
struct ReadInterrupted {};
/// A read that ended because the device is no longer connected.
struct DeviceGone {};
/// One read: a frame (BGR, 8 bits a channel), or why there is none.
using FrameRead = std::variant<cv::Mat, ReadInterrupted, DeviceGone, CaptureError>;

/// An opened device, read on one capture thread.
class FrameReader {
public:
    virtual ~FrameReader() = default;
    /// Waits for the next frame, at the device's own pace. Returns soon after
    /// `stop` is requested, at the latest once the frame under way has come.
    virtual FrameRead read(std::stop_token stop) = 0;
};

using OpenedReader = std::variant<std::unique_ptr<FrameReader>, CaptureError>;

/// One family of capture devices (V4L2 cameras, replayed clips): lists those
/// connected and opens them. Thread-safe.
class CaptureDriver {
public:
    virtual ~CaptureDriver() = default;

    /// The devices connected now, the family's default device first.
    virtual std::vector<VideoDevice> devices() const = 0;

    /// Why the device cannot be used now, or nothing when it can. Cheap: it
    /// does not start the device.
    virtual std::optional<CaptureError> checkAvailable(const VideoDevice& device) const = 0;

    /// Opens the device for capture; called on a capture thread.
    virtual OpenedReader open(const VideoDevice& device) const = 0;
};

}  // namespace spinewise
