#include "windows/calibration/CalibrationTab.hpp"

#include "camera/Camera.hpp"
#include "platform/QtMainQueue.hpp"
#include "settings/Preferences.hpp"
#include "settings/Presets.hpp"
#include "windows/calibration/PreviewViewController.hpp"

namespace spinewise {
namespace {

// Kept for the life of the process, like the camera whose frame queue hands
// results to it: a frame under way may still post after the tab is gone.
Queue& tabQueue() {
    static auto* const queue = new QtMainQueue;
    return *queue;
}

}  // namespace

std::unique_ptr<PreferencesViewController> makeCalibrationTab() {
    return std::make_unique<PreviewViewController>(
        CalibrationEnvironment{tabQueue(), Camera::shared(), Preferences::shared(), Presets::shared(),
                               LoginItem::forProgram()},
        Detector());
}

}  // namespace spinewise
