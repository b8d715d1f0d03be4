#include "camera/CameraProgramEnvironment.hpp"

#include "camera/Camera.hpp"
#include "camera/DriverCaptureBackend.hpp"
#include "camera/ReplayDriver.hpp"
#include "camera/V4l2Driver.hpp"
#include "foundation/Fatal.hpp"
#include "settings/Preferences.hpp"

namespace spinewise {
namespace {

struct Installed {
    std::shared_ptr<Queue> mainQueue;
    std::shared_ptr<AlertPresenter> alerts = std::make_shared<LogAlertPresenter>();
};

// Never destroyed, like the shared camera: its threads may still hand events
// to the main queue while the process ends.
Installed& installed() {
    static auto* const value = new Installed;
    return *value;
}

Camera* makeSharedCamera() {
    const auto& environment = installed();
    if (!environment.mainQueue) fatalError("No main queue installed before the camera was used");
    if (!environment.mainQueue->isCurrent()) fatalError("Camera::shared first used off the main thread");
    std::vector<std::shared_ptr<const CaptureDriver>> drivers{ReplayDriver::fromEnvironment(),
                                                              std::make_shared<V4l2Driver>()};
    return new Camera(std::make_unique<DriverCaptureBackend>(std::move(drivers)),
                      {*environment.mainQueue, Preferences::shared(), *environment.alerts, systemClock()});
}

}  // namespace

void CameraProgramEnvironment::install(std::shared_ptr<Queue> mainQueue, std::shared_ptr<AlertPresenter> alerts) {
    installed().mainQueue = std::move(mainQueue);
    installed().alerts = alerts ? std::move(alerts) : std::make_shared<LogAlertPresenter>();
}

// Never destroyed: when the program ends, a frame handler may still wait for
// the main thread, which would then wait for it.
Camera& Camera::shared() {
    static Camera* const instance = makeSharedCamera();
    return *instance;
}

}  // namespace spinewise
