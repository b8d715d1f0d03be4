#include "camera/Camera.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "foundation/NotificationCenter.hpp"
#include "settings/Preferences.hpp"

#include <algorithm>
#include <functional>
#include <string>

namespace spinewise {
namespace {

constexpr std::string_view kCannotAddOutput = "Cannot add output to the session";
constexpr std::string_view kNoVideoDevices = "No video devices available";

CaptureError cannotAddInput() { return {"domain", 404, "Cannot add input to AVCaptureSession"}; }

bool lists(const std::vector<VideoDevice>& devices, const VideoDevice& device) {
    return std::ranges::find(devices, device.uniqueID, &VideoDevice::uniqueID) != devices.end();
}

}  // namespace

/// Hands the back end's events, from whatever thread, to the main queue:
/// session starts and stops become notifications; device changes and runtime
/// errors reach the camera if it still exists by then.
class Camera::EventRelay final : public CaptureEvents {
public:
    EventRelay(Queue& mainQueue, std::weak_ptr<Camera> camera) : mainQueue_(mainQueue), camera_(std::move(camera)) {}

    void sessionDidStartRunning() override { post(Notifications::sessionDidStartRunning); }
    void sessionDidStopRunning() override { post(Notifications::sessionDidStopRunning); }
    void sessionRuntimeError(const CaptureError& error) override {
        withCamera([description = error.description](Camera& camera) {
            camera.environment_.alerts.presentAlert(description);
        });
    }
    void deviceWasConnected(const VideoDevice&) override {
        withCamera([](Camera& camera) { camera.refreshVideoDevices(); });
    }
    void deviceWasDisconnected(const VideoDevice&) override {
        withCamera([](Camera& camera) { camera.refreshVideoDevices(); });
    }

private:
    void post(std::string_view name) {
        mainQueue_.async([name] { NotificationCenter::defaultCenter().post(name); });
    }
    void withCamera(std::function<void(Camera&)> action) {
        mainQueue_.async([camera = camera_, action = std::move(action)] {
            if (const auto alive = camera.lock()) action(*alive);
        });
    }

    Queue& mainQueue_;
    const std::weak_ptr<Camera> camera_;
};

Camera::Camera(std::unique_ptr<CaptureBackend> backend, CameraEnvironment environment)
    : environment_(environment),
      output_(VideoDataOutput::make(outputQueue_,
                                    [this](const cv::Mat& frame, Rect cleanAperture) { deliver(frame, cleanAperture); })),
      // Owns nothing: main-queue tasks hold it weakly to tell whether the camera still exists.
      handle_(this, [](Camera*) {}),
      events_(std::make_unique<EventRelay>(environment_.mainQueue, handle_)),
      backend_(std::move(backend)) {
    backend_->setEvents(events_.get());
    if (!backend_->addOutput(output_)) environment_.alerts.presentAlert(kCannotAddOutput);
    chooseDevice();
    refreshVideoDevices();
}

Camera::~Camera() {
    stopCapture();
    handle_.reset();
    backend_->setEvents(nullptr);
}

void Camera::requireMainQueue(std::string_view operation) const {
    if (!environment_.mainQueue.isCurrent())
        fatalError("Camera::" + std::string(operation) + " called off the main thread");
}

void Camera::startCapture(std::weak_ptr<CameraDelegate> delegate) {
    requireMainQueue("startCapture");
    if (backend_->isRunning()) return;
    logLine("Session start");
    setDelegate(std::move(delegate));
    backend_->startRunning();
}

void Camera::stopCapture() {
    requireMainQueue("stopCapture");
    if (!backend_->isRunning()) return;
    logLine("Session stop");
    lastStop_ = environment_.clock.now();
    backend_->stopRunning();
}

void Camera::setDelegate(std::weak_ptr<CameraDelegate> delegate) {
    const auto described = delegate.lock();
    {
        const std::lock_guard lock(delegateMutex_);
        delegate_ = std::move(delegate);
    }
    logLine("Camera delegate: " + (described ? described->description() : std::string("nil")));
}

void Camera::deliver(const cv::Mat& frame, Rect cleanAperture) {
    std::shared_ptr<CameraDelegate> delegate;
    {
        const std::lock_guard lock(delegateMutex_);
        delegate = delegate_.lock();
    }
    if (delegate) delegate->camera(*this, frame, cleanAperture);
}

void Camera::chooseDevice() {
    if (const auto& stored = environment_.preferences.selectedVideoDeviceUID()) {
        const auto devices = backend_->devices();
        const auto found = std::ranges::find(devices, *stored, &VideoDevice::uniqueID);
        if (found != devices.end()) {
            selectVideoDevice(*found);
            return;
        }
    }
    selectVideoDevice(backend_->defaultDevice());
}

void Camera::selectVideoDevice(const std::optional<VideoDevice>& device) {
    if (videoInputDevice_) {
        backend_->detachInput();
        videoInputDevice_.reset();
    }
    if (!device) return;

    const auto attachment = backend_->attachInput(*device);
    if (std::holds_alternative<InputAttached>(attachment)) {
        videoInputDevice_ = device;
        environment_.preferences.setSelectedVideoDeviceUID(device->uniqueID);
        return;
    }
    const auto error =
        std::holds_alternative<InputRefused>(attachment) ? cannotAddInput() : std::get<CaptureError>(attachment);
    environment_.alerts.presentAlert(error.description);
}

void Camera::refreshVideoDevices() {
    // Read also without an input, so that a camera plugged in later can be chosen.
    videoDevices_ = backend_->devices();
    if (!videoInputDevice_ || lists(videoDevices_, *videoInputDevice_)) return;
    backend_->detachInput();
    videoInputDevice_.reset();
    if (videoDevices_.empty()) environment_.alerts.presentAlert(kNoVideoDevices);
}

}  // namespace spinewise
