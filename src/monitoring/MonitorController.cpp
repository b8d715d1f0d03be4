#include "monitoring/MonitorController.hpp"

#include "camera/Camera.hpp"
#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "foundation/WorkspaceNotifications.hpp"
#include "monitoring/ThrottledFrameReceiver.hpp"
#include "settings/Preferences.hpp"

namespace spinewise {
namespace {

/// Stores `value` unless it has the stored posture's state (both absent
/// counts as the same); returns whether it did.
bool replaceOnStateChange(std::optional<Posture>& stored, std::optional<Posture> value) {
    if (value == stored) return false;
    stored = std::move(value);
    return true;
}

std::string stateLine(const std::optional<Posture>& posture) {
    return posture ? "Posture.State." + std::string(toString(posture->state)) : "nil";
}

}  // namespace

std::shared_ptr<MonitorController> MonitorController::make(MonitorControllerEnvironment environment,
                                                           Detector detector) {
    std::shared_ptr<MonitorController> controller(new MonitorController(environment, std::move(detector)));
    controller->frameReceiver_ = std::make_shared<ThrottledFrameReceiver>(
        controller->description(), environment.mainOperationQueue, environment.throttleDelayQueue, kFrameInterval,
        [weak = std::weak_ptr(controller)](const cv::Mat& frame, Rect cleanAperture) {
            if (const auto self = weak.lock()) self->classifyFrame(frame, cleanAperture);
        });
    controller->followSettingsAndSystem();
    if (controller->mode_ != Mode::manual) controller->start();
    return controller;
}

MonitorController::MonitorController(MonitorControllerEnvironment environment, Detector detector)
    : environment_(environment),
      classifier_(std::move(detector), environment.preferences, environment.mainScreen,
                  environment.mainQueue.clock()) {}

MonitorController::~MonitorController() = default;

void MonitorController::followSettingsAndSystem() {
    // Only a running controller follows the screens: a paused one stays
    // paused, so that a wake neither turns the camera on behind the user's
    // back nor takes it from whoever uses it meanwhile (the calibration
    // preview), and a sleep does not stop it for them.
    auto& workspace = environment_.workspaceNotifications;
    observations_.push_back(workspace.addObserver(std::string(WorkspaceNotifications::screensDidWake), [this] {
        if (isRunning_) monitor_->start();
    }));
    observations_.push_back(workspace.addObserver(std::string(WorkspaceNotifications::screensDidSleep), [this] {
        if (isRunning_) monitor_->stop();
    }));
    auto& notifications = environment_.notifications;
    observations_.push_back(notifications.addObserver(std::string(Camera::Notifications::sessionDidStartRunning),
                                                      [this] { clearPostures(); }));
    observations_.push_back(notifications.addObserver(std::string(Camera::Notifications::sessionDidStopRunning),
                                                      [this] { clearPostures(); }));
    observations_.push_back(
        environment_.preferences.observe(std::string(PreferenceKey::scheduleInterval), [this] { modeFromSetting(); }));
    environment_.preferences.announce({PreferenceKey::scheduleInterval});
}

void MonitorController::modeFromSetting() {
    // A value that selects no mode keeps the previous one.
    if (const auto mode = monitorModeForScheduleInterval(environment_.preferences.scheduleInterval())) mode_ = *mode;
}

void MonitorController::start() {
    if (monitor_) monitor_->stop();
    const auto self = weak_from_this();
    changeMonitor([&](std::unique_ptr<Monitor>& monitor) {
        monitor = makeMonitor(mode_, {environment_.mainQueue, environment_.preferences}, environment_.stepQueue);
    });
    changeMonitor([&](std::unique_ptr<Monitor>& monitor) { monitor->setDatasource(self); });
    changeMonitor([&](std::unique_ptr<Monitor>& monitor) { monitor->setDelegate(self); });
    monitor_->start();
    isRunning_ = true;
}

void MonitorController::stop() {
    if (monitor_) monitor_->stop();
    isRunning_ = false;
}

void MonitorController::changeMonitor(const std::function<void(std::unique_ptr<Monitor>&)>& change) {
    change(monitor_);
    logLine("Current monitor: " + monitor_->description());
}

void MonitorController::setPosture(std::optional<Posture> posture) {
    requireMainThread("setPosture");
    if (!replaceOnStateChange(posture_, std::move(posture))) return;
    logLine(stateLine(posture_));
    if (const auto delegate = delegate_.lock()) delegate->monitorControllerDidChangePosture(*this, posture_);
}

void MonitorController::setDelayedPosture(std::optional<Posture> posture) {
    requireMainThread("setDelayedPosture");
    if (!replaceOnStateChange(delayedPosture_, std::move(posture))) return;
    // A copy: the delegate may change the confirmed posture again.
    const auto confirmed = delayedPosture_;
    if (const auto delegate = delegate_.lock()) delegate->monitorControllerDidChangeDelayedPosture(*this, confirmed);
    if (confirmed && confirmed->state != Posture::State::unknown) environment_.preferences.appendToHistory(*confirmed);
}

void MonitorController::clearPostures() {
    setPosture(std::nullopt);
    setDelayedPosture(std::nullopt);
}

void MonitorController::requireMainThread(const char* operation) const {
    if (!environment_.mainQueue.isCurrent())
        fatalError("MonitorController::" + std::string(operation) + " called off the main thread");
}

std::optional<Posture> MonitorController::currentPosture(Monitor&) { return posture_; }

void MonitorController::monitorDidConfirm(Monitor&, const Posture& posture) { setDelayedPosture(posture); }

void MonitorController::monitorDidStartWatching(Monitor&) { environment_.camera.startCapture(frameReceiver_); }

void MonitorController::monitorDidStopWatching(Monitor&) { environment_.camera.stopCapture(); }

void MonitorController::classifyFrame(const cv::Mat& frame, Rect cleanAperture) {
    const auto posture = classifier_.classify(frame, cleanAperture);
    if (!posture) return;
    // Handed on, not set here: a posture that arrives once the session no
    // longer runs belongs to a finished burst and is dropped.
    environment_.mainQueue.async([weak = weak_from_this(), posture = *posture] {
        const auto self = weak.lock();
        if (self && self->environment_.camera.isSessionRunning()) self->setPosture(posture);
    });
}

}  // namespace spinewise
