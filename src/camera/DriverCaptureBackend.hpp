#pragma once

#include "camera/CaptureBackend.hpp"
#include "camera/CaptureDriver.hpp"
#include "camera/CaptureRun.hpp"
#include "camera/DeviceWatcher.hpp"
#include "foundation/Clock.hpp"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace spinewise {

/// The capture session over one or more device families: lists the devices
/// of all of them (in driver order, the first driver's default first), sees
/// devices come and go by looking every `hotPlugInterval` seconds, and runs
/// the input on a capture thread while the session runs.
///
/// The device in use goes away: the capture ends quietly and the session
/// keeps running without frames until the input is replaced. The device fails
/// (cannot be opened when the session starts, or stops delivering): a runtime
/// error, then the session stops by itself and reports it; the next start
/// tries again. A busy device is an error when it is attached, and a runtime
/// error when it becomes busy before the session starts.
class DriverCaptureBackend final : public CaptureBackend {
public:
    static constexpr TimeInterval kDefaultHotPlugInterval = 1.0;

    explicit DriverCaptureBackend(std::vector<std::shared_ptr<const CaptureDriver>> drivers,
                                  TimeInterval hotPlugInterval = kDefaultHotPlugInterval);
    ~DriverCaptureBackend() override;
    DriverCaptureBackend(const DriverCaptureBackend&) = delete;
    DriverCaptureBackend& operator=(const DriverCaptureBackend&) = delete;

    void setEvents(CaptureEvents* events) override;
    std::vector<VideoDevice> devices() const override;
    std::optional<VideoDevice> defaultDevice() const override;
    bool addOutput(std::shared_ptr<VideoDataOutput> output) override;
    InputAttachment attachInput(const VideoDevice& device) override;
    void detachInput() override;
    void startRunning() override;
    void stopRunning() override;
    bool isRunning() const override;

private:
    struct Input {
        VideoDevice device;
        std::shared_ptr<const CaptureDriver> driver;
    };

    std::shared_ptr<const CaptureDriver> driverListing(const VideoDevice& device) const;
    void beginRun();
    void endRun();
    void runEnded(std::uint64_t run, const std::optional<CaptureError>& error);
    void deviceConnected(const VideoDevice& device);
    void deviceDisconnected(const VideoDevice& device);

    const std::vector<std::shared_ptr<const CaptureDriver>> drivers_;

    mutable std::mutex mutex_;
    CaptureEvents* events_ = nullptr;
    std::shared_ptr<VideoDataOutput> output_;
    std::optional<Input> input_;
    bool running_ = false;
    // Numbers the runs, so that the end of a run that was replaced or stopped is ignored.
    std::uint64_t currentRun_ = 0;
    std::unique_ptr<CaptureRun> run_;

    // Last, so that it stops first: it calls back into the members above.
    DeviceWatcher watcher_;
};

}  // namespace spinewise
