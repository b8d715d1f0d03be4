#pragma once

#include "camera/CaptureDriver.hpp"
#include "camera/VideoDataOutput.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace spinewise {

/// One stretch of capture from one device, on a thread of its own: opens the
/// device, reads frames and offers each to the output until asked to stop or
/// until the device fails or goes away. The thread never waits for the
/// output's queue, so stopping never waits for a frame handler.
class CaptureRun {
public:
    /// Called on the run's thread when the run ends by itself: with the error
    /// when the device could not be opened or failed, without one when the
    /// device went away. Not called after a requested stop.
    using EndHandler = std::function<void(const std::optional<CaptureError>& error)>;

    /// Starts at once. The new thread first waits for `previous` (if any) to
    /// end, so that a device is never opened twice at the same time; the
    /// caller's thread does not wait.
    CaptureRun(std::shared_ptr<const CaptureDriver> driver, VideoDevice device,
               std::shared_ptr<VideoDataOutput> output, std::unique_ptr<CaptureRun> previous, EndHandler onEnd);

    CaptureRun(const CaptureRun&) = delete;
    CaptureRun& operator=(const CaptureRun&) = delete;

    /// Asks the run to stop and returns at once; it ends after the read under way.
    void requestStop() { thread_.request_stop(); }

    // Destruction asks the run to stop and waits for its thread.

private:
    std::jthread thread_;
};

}  // namespace spinewise
