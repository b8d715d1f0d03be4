#include "camera/DriverCaptureBackend.hpp"

#include <algorithm>

namespace spinewise {

DriverCaptureBackend::DriverCaptureBackend(std::vector<std::shared_ptr<const CaptureDriver>> drivers,
                                           TimeInterval hotPlugInterval)
    : drivers_(std::move(drivers)),
      watcher_([this] { return devices(); }, hotPlugInterval,
               [this](const VideoDevice& device) { deviceConnected(device); },
               [this](const VideoDevice& device) { deviceDisconnected(device); }) {}

DriverCaptureBackend::~DriverCaptureBackend() {
    // Nothing is reported from here on. The run is stopped and joined without
    // holding the lock, which its end handler may be waiting for; the watcher
    // stops with the members.
    std::unique_ptr<CaptureRun> run;
    {
        const std::lock_guard lock(mutex_);
        events_ = nullptr;
        run = std::move(run_);
    }
}

void DriverCaptureBackend::setEvents(CaptureEvents* events) {
    const std::lock_guard lock(mutex_);
    events_ = events;
}

std::vector<VideoDevice> DriverCaptureBackend::devices() const {
    std::vector<VideoDevice> all;
    for (const auto& driver : drivers_) std::ranges::move(driver->devices(), std::back_inserter(all));
    return all;
}

std::optional<VideoDevice> DriverCaptureBackend::defaultDevice() const {
    for (const auto& driver : drivers_)
        if (auto devices = driver->devices(); !devices.empty()) return std::move(devices.front());
    return std::nullopt;
}

bool DriverCaptureBackend::addOutput(std::shared_ptr<VideoDataOutput> output) {
    const std::lock_guard lock(mutex_);
    if (output_ || !output) return false;
    output_ = std::move(output);
    return true;
}

std::shared_ptr<const CaptureDriver> DriverCaptureBackend::driverListing(const VideoDevice& device) const {
    for (const auto& driver : drivers_) {
        const auto devices = driver->devices();
        if (std::ranges::any_of(devices, [&](const VideoDevice& d) { return d.uniqueID == device.uniqueID; }))
            return driver;
    }
    return nullptr;
}

InputAttachment DriverCaptureBackend::attachInput(const VideoDevice& device) {
    auto driver = driverListing(device);
    if (!driver)
        return CaptureError::make(CaptureErrorCode::deviceNotConnected,
                                  "The camera \"" + device.name + "\" is not connected.");
    if (auto error = driver->checkAvailable(device)) return *error;

    const std::lock_guard lock(mutex_);
    if (input_) return InputRefused{};
    input_ = Input{device, std::move(driver)};
    if (running_) beginRun();
    return InputAttached{};
}

void DriverCaptureBackend::detachInput() {
    const std::lock_guard lock(mutex_);
    if (!input_) return;
    endRun();
    input_.reset();
}

void DriverCaptureBackend::startRunning() {
    const std::lock_guard lock(mutex_);
    if (running_) return;
    running_ = true;
    if (input_) beginRun();
    if (events_) events_->sessionDidStartRunning();
}

void DriverCaptureBackend::stopRunning() {
    const std::lock_guard lock(mutex_);
    if (!running_) return;
    running_ = false;
    endRun();
    if (events_) events_->sessionDidStopRunning();
}

bool DriverCaptureBackend::isRunning() const {
    const std::lock_guard lock(mutex_);
    return running_;
}

// Called with the lock held, while running with an input.
void DriverCaptureBackend::beginRun() {
    if (!output_) return;
    const auto run = ++currentRun_;
    run_ = std::make_unique<CaptureRun>(input_->driver, input_->device, output_, std::move(run_),
                                        [this, run](const std::optional<CaptureError>& error) {
                                            runEnded(run, error);
                                        });
}

// Called with the lock held. The run's thread is left to finish by itself:
// the next run waits for it, the destructor joins it.
void DriverCaptureBackend::endRun() {
    ++currentRun_;
    if (run_) run_->requestStop();
}

void DriverCaptureBackend::runEnded(std::uint64_t run, const std::optional<CaptureError>& error) {
    const std::lock_guard lock(mutex_);
    if (run != currentRun_ || !running_ || !error) return;
    running_ = false;
    ++currentRun_;
    if (!events_) return;
    events_->sessionRuntimeError(*error);
    events_->sessionDidStopRunning();
}

void DriverCaptureBackend::deviceConnected(const VideoDevice& device) {
    const std::lock_guard lock(mutex_);
    if (events_) events_->deviceWasConnected(device);
}

void DriverCaptureBackend::deviceDisconnected(const VideoDevice& device) {
    const std::lock_guard lock(mutex_);
    if (input_ && input_->device.uniqueID == device.uniqueID) endRun();
    if (events_) events_->deviceWasDisconnected(device);
}

}  // namespace spinewise
