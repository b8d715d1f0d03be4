#include "MonitorProbe.hpp"

#include "StopSignals.hpp"

#include "camera/Camera.hpp"
#include "camera/CameraProgramEnvironment.hpp"
#include "camera/ReplayDriver.hpp"
#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "foundation/RunLoopQueue.hpp"
#include "monitoring/MonitorController.hpp"
#include "settings/Preferences.hpp"
#include "settings/ProgramEnvironment.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>

namespace spinewise {
namespace {

constexpr int kDeviceExit = 1;

class FixedScreen final : public MainScreen {
public:
    explicit FixedScreen(Size size) : frame_{0, 0, size.width, size.height} {}
    std::optional<Rect> frame() const override { return frame_; }

private:
    Rect frame_;
};

/// One JSON line per confirmed posture.
class ConfirmedPosturePrinter final : public MonitorControllerDelegate {
public:
    void monitorControllerDidChangePosture(MonitorController&, const std::optional<Posture>&) override {}
    void monitorControllerDidChangeDelayedPosture(MonitorController&, const std::optional<Posture>& posture) override {
        if (posture) logLine(toJson(*posture).dump());
    }
};

/// The "scheduleInterval" that selects `mode`: a saved interval that already
/// selects it is kept, so a scheduled run waits as long as the user set.
double scheduleIntervalSelecting(MonitorMode mode, double saved) {
    if (monitorModeForScheduleInterval(saved) == mode) return saved;
    switch (mode) {
        case MonitorMode::live:
            return 0;
        case MonitorMode::scheduled:
            return 1;
        case MonitorMode::manual:
            return 6;
    }
    fatalError("Unknown monitor mode");
}

/// Puts the device with `uniqueID` in use; false when no such device is connected.
bool selectDevice(Camera& camera, const std::string& uniqueID) {
    const auto& devices = camera.videoDevices();
    const auto found = std::ranges::find(devices, uniqueID, &VideoDevice::uniqueID);
    if (found == devices.end()) return false;
    camera.selectVideoDevice(*found);
    return camera.videoInputDevice() == *found;
}

}  // namespace

int runMonitorProbe(const ProbeOptions& options) {
    const auto main = std::make_shared<RunLoopQueue>();
    std::shared_ptr<MonitorController> controller;
    const auto stopMonitoring = [&] {
        controller->stop();
        main->stop();
    };
    const StopSignals signals([&] { main->async(stopMonitoring); });

    ProgramEnvironment::install(std::make_shared<FixedScreen>(options.target), nullptr);
    CameraProgramEnvironment::install(main, nullptr);
    auto& preferences = Preferences::shared();
    preferences.setScheduleInterval(scheduleIntervalSelecting(*options.monitor, preferences.scheduleInterval()));

    auto& camera = Camera::shared();
    if (options.deviceUID && !selectDevice(camera, *options.deviceUID)) {
        std::cerr << "spinewise-probe: no usable video device \"" << *options.deviceUID << "\"\n";
        return kDeviceExit;
    }
    if (!camera.videoInputDevice()) {
        std::cerr << "spinewise-probe: no video device (connect a camera or list clips in "
                  << ReplayDriver::kEnvironmentVariable << ")\n";
        return kDeviceExit;
    }

    const auto printer = std::make_shared<ConfirmedPosturePrinter>();
    controller = MonitorController::makeForProgram(*main, Detector(makeFaceDetector(options.detector)));
    controller->setDelegate(printer);
    if (controller->mode() == MonitorMode::manual) controller->start();
    if (options.duration) main->asyncAfter(*options.duration, stopMonitoring);
    main->run();
    return 0;
}

}  // namespace spinewise
