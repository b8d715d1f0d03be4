#include "camera/Camera.hpp"
#include "foundation/ResourceBundle.hpp"
#include "platform/FrontmostApplication.hpp"
#include "settings/Preferences.hpp"
#include "settings/Presets.hpp"
#include "settings/ProgramEnvironment.hpp"
#include "shell/QtAlertSoundFactory.hpp"
#include "shell/UIController.hpp"
#include "shell/WindowCompositing.hpp"
#include "windows/PreferencesWindowController.hpp"

#include <QGuiApplication>
#include <QSystemTrayIcon>

namespace spinewise {

std::unique_ptr<UIController> UIController::makeForProgram(Queue& mainQueue, ApplicationActions& actions) {
    return std::make_unique<UIController>(UIControllerEnvironment{
        .makeMonitorController = [&mainQueue] { return MonitorController::makeForProgram(mainQueue); },
        .camera = Camera::shared(),
        .preferences = Preferences::shared(),
        .presets = []() -> Presets& { return Presets::shared(); },
        .mainScreen = ProgramEnvironment::mainScreen(),
        .actions = actions,
        .makePreferencesWindow = [&mainQueue]() -> std::shared_ptr<PreferencesWindowControl> {
            return makePreferencesWindowController(mainQueue);
        },
        .isFrontmost = [] { return isProgramFrontmost(); },
        .isAlternateKeyHeld = [] { return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier); },
        .isSystemTrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); },
        .isWindowOpacityAvailable = isWindowOpacityAvailable,
        .soundFactory = std::make_shared<QtAlertSoundFactory>(),
        .resources = ResourceBundle::main(),
        .mainQueue = mainQueue,
        .timeZone = QTimeZone::systemTimeZone(),
    });
}

}  // namespace spinewise
