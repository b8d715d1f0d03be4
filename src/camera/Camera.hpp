#pragma once

#include "camera/CameraDelegate.hpp"
#include "camera/CaptureBackend.hpp"
#include "camera/VideoDataOutput.hpp"
#include "camera/VideoDevice.hpp"
#include "foundation/AlertPresenter.hpp"
#include "foundation/Clock.hpp"
#include "foundation/Queue.hpp"
#include "foundation/SerialQueue.hpp"

#include <memory>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

namespace spinewise {

class Preferences;

/// What the camera takes from the program.
struct CameraEnvironment {
    Queue& mainQueue;
    /// Holds the chosen device's identifier (selectedVideoDeviceUID).
    Preferences& preferences;
    AlertPresenter& alerts;
    /// The clock of lastStop.
    const Clock& clock;
};

/// The program's one capture pipeline: a session with one input (the chosen
/// device) and one output that hands every frame to one receiver, the
/// delegate, on the frame queue. Keeps the device list, remembers the chosen
/// device in the preferences, re-announces the session's start and stop as
/// notifications on the main queue, and shows capture errors in alerts.
///
/// Main thread only, except isSessionRunning. Stopping never waits for the
/// frame queue (a receiver may hold it while it waits for the main thread);
/// destroying the camera does, for a frame handler under way.
class Camera {
public:
    struct Notifications {
        static constexpr std::string_view sessionDidStartRunning = "sessionDidStartRunning";
        static constexpr std::string_view sessionDidStopRunning = "sessionDidStopRunning";
    };

    static constexpr std::string_view kOutputQueueLabel = "com.brightfold.video-output-queue";

    /// Sets up the output and the input: the stored device when it is
    /// connected, else the back end's default device.
    Camera(std::unique_ptr<CaptureBackend> backend, CameraEnvironment environment);
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    /// The running program's camera, created on first use (on the main thread)
    /// from the environment the program installed (CameraProgramEnvironment)
    /// and never destroyed.
    static Camera& shared();

    /// Makes `delegate` the receiver and starts the session; does nothing at
    /// all while the session runs.
    void startCapture(std::weak_ptr<CameraDelegate> delegate);
    /// Stops a running session and records the time in lastStop.
    void stopCapture();

    /// Replaces the session's input by the device, or removes it for none.
    void selectVideoDevice(const std::optional<VideoDevice>& device);
    /// Reads the device list again and drops an input whose device has gone.
    void refreshVideoDevices();

    const std::vector<VideoDevice>& videoDevices() const { return videoDevices_; }
    void setVideoDevices(std::vector<VideoDevice> devices) { videoDevices_ = std::move(devices); }
    /// The device of the session's input.
    const std::optional<VideoDevice>& videoInputDevice() const { return videoInputDevice_; }
    /// When stopCapture() last stopped a running session.
    std::optional<TimeInterval> lastStop() const { return lastStop_; }

    /// Any thread.
    bool isSessionRunning() const { return backend_->isRunning(); }

private:
    class EventRelay;

    void setDelegate(std::weak_ptr<CameraDelegate> delegate);
    void deliver(const cv::Mat& frame, Rect cleanAperture);
    void chooseDevice();
    void requireMainQueue(std::string_view operation) const;

    CameraEnvironment environment_;

    // Written on the main thread, read on the frame queue.
    std::mutex delegateMutex_;
    std::weak_ptr<CameraDelegate> delegate_;

    std::optional<TimeInterval> lastStop_;
    std::vector<VideoDevice> videoDevices_;
    std::optional<VideoDevice> videoInputDevice_;

    // Destroyed in reverse: the back end stops first, so no frame is offered
    // any more; the queue then finishes a delivery under way, which still
    // finds the delegate above.
    SerialQueue outputQueue_{std::string(kOutputQueueLabel)};
    std::shared_ptr<VideoDataOutput> output_;
    std::shared_ptr<Camera> handle_;
    std::unique_ptr<EventRelay> events_;
    std::unique_ptr<CaptureBackend> backend_;
};

}  // namespace spinewise
