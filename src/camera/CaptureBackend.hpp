#pragma once

#include "camera/CaptureError.hpp"
#include "camera/VideoDevice.hpp"

#include <memory>
#include <optional>
#include <variant>
#include <vector>

namespace spinewise {

class VideoDataOutput;

/// What a capture back end reports, from any of its threads. The back end
/// makes these calls while holding its own lock, so that they arrive in the
/// order the events happened: an implementation hands each event on (to a
/// queue, say) and never calls back into the back end.
class CaptureEvents {
public:
    virtual ~CaptureEvents() = default;
    virtual void sessionDidStartRunning() = 0;
    /// Also when the session stops by itself, after a runtime error.
    virtual void sessionDidStopRunning() = 0;
    virtual void sessionRuntimeError(const CaptureError& error) = 0;
    virtual void deviceWasConnected(const VideoDevice& device) = 0;
    virtual void deviceWasDisconnected(const VideoDevice& device) = 0;
};

/// The device is the session's input now.
struct InputAttached {};
/// The session takes no further input (it has one already).
struct InputRefused {};
/// What became of a request to attach a device: attached, refused, or the
/// error that kept the device from being opened.
using InputAttachment = std::variant<InputAttached, InputRefused, CaptureError>;

/// A capture session with the devices it can capture from. Frames go to one
/// output; a running session without an input or an output delivers none.
/// The methods are called on the main thread, except isRunning (any thread).
class CaptureBackend {
public:
    virtual ~CaptureBackend() = default;

    /// Where events go from now on; null drops them. Set before the session is used.
    virtual void setEvents(CaptureEvents* events) = 0;

    /// The devices connected now.
    virtual std::vector<VideoDevice> devices() const = 0;
    /// The device to use when the user has chosen none, or nothing when there is no device.
    virtual std::optional<VideoDevice> defaultDevice() const = 0;

    /// Whether the session took the output; it takes one.
    virtual bool addOutput(std::shared_ptr<VideoDataOutput> output) = 0;

    virtual InputAttachment attachInput(const VideoDevice& device) = 0;
    /// Removes the input, if any; the session keeps running without frames.
    virtual void detachInput() = 0;

    /// Starting a running session or stopping an idle one does nothing and reports nothing.
    virtual void startRunning() = 0;
    virtual void stopRunning() = 0;
    virtual bool isRunning() const = 0;
};

}  // namespace spinewise
