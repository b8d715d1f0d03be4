#include "settings/Preferences.hpp"
#include "settings/ProgramEnvironment.hpp"
#include "windows/MonitoringViewController.hpp"
#include "windows/NotificationsViewController.hpp"
#include "windows/PreferencesWindowController.hpp"
#include "windows/calibration/CalibrationTab.hpp"

namespace spinewise {

std::unique_ptr<PreferencesWindowController> makePreferencesWindowController(Queue& mainQueue) {
    Preferences& preferences = Preferences::shared();
    std::vector<std::unique_ptr<PreferencesViewController>> tabs;
    tabs.push_back(makeCalibrationTab(mainQueue));
    tabs.push_back(std::make_unique<NotificationsViewController>(preferences, ProgramEnvironment::userDefaults()));
    tabs.push_back(std::make_unique<MonitoringViewController>(preferences));
    return std::make_unique<PreferencesWindowController>(std::move(tabs), ProgramEnvironment::mainScreen());
}

}  // namespace spinewise
