#include "windows/calibration/CalibrationTab.hpp"

#include "camera/Camera.hpp"
#include "settings/Preferences.hpp"
#include "settings/Presets.hpp"
#include "windows/calibration/PreviewViewController.hpp"

namespace spinewise {

std::unique_ptr<PreferencesViewController> makeCalibrationTab(Queue& mainQueue) {
    return std::make_unique<PreviewViewController>(
        CalibrationEnvironment{mainQueue, Camera::shared(), Preferences::shared(), Presets::shared(),
                               LoginItem::forProgram()},
        Detector());
}

}  // namespace spinewise
