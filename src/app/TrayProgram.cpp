#include "app/TrayProgram.hpp"

#include "camera/Camera.hpp"
#include "camera/CameraProgramEnvironment.hpp"
#include "foundation/InfoDictionary.hpp"
#include "foundation/WorkspaceNotifications.hpp"
#include "platform/MailComposer.hpp"
#include "platform/QtAlertPresenter.hpp"
#include "platform/QtMainScreen.hpp"
#include "platform/WarningAlert.hpp"
#include "platform/x11/X11HotKeyRegistrar.hpp"
#include "settings/Preferences.hpp"
#include "settings/Presets.hpp"
#include "settings/ProgramEnvironment.hpp"
#include "shell/UIController.hpp"
#include "windows/AboutWindowController.hpp"
#include "windows/HistoryWindowController.hpp"

#include <QCoreApplication>

#include <filesystem>

namespace spinewise {
namespace {

/// The UI controller in the role the application delegate gives it.
class UIControllerMenuBar final : public MenuBarController {
public:
    explicit UIControllerMenuBar(std::unique_ptr<UIController> controller) : controller_(std::move(controller)) {}
    void showPreferencesWindow() override { controller_->showPreferencesWindow(); }
    void startMonitoring() override { controller_->monitorController().start(); }

private:
    std::unique_ptr<UIController> controller_;
};

/// Installs what the core's shared objects take from the program; runs before
/// any member that reaches them.
std::shared_ptr<QtMainQueue> installProgramEnvironment() {
    auto mainQueue = std::make_shared<QtMainQueue>();
    auto alerts = std::make_shared<QtAlertPresenter>();
    ProgramEnvironment::install(std::make_shared<QtMainScreen>(), alerts);
    CameraProgramEnvironment::install(mainQueue, alerts);
    return mainQueue;
}

}  // namespace

TrayProgram::TrayProgram()
    : mainQueue_(installProgramEnvironment()),
      screenSleepWatcher_(WorkspaceNotifications::center()),
      hotKeyRegistrar_(X11HotKeyRegistrar::make()) {
    delegate_ = std::make_unique<AppDelegate>(delegateEnvironment());
    AboutWindowController::shared().setFeedbackAction([this] { delegate_->sendFeedback(); });
    hotKeyService_ = std::make_unique<HotKeyService>(*hotKeyRegistrar_, [this] { delegate_->checkPosture(); });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { delegate_->applicationWillTerminate(); });
}

TrayProgram::~TrayProgram() = default;

void TrayProgram::start() {
    mainQueue_->async([this] { delegate_->applicationDidFinishLaunching(); });
}

AppDelegateEnvironment TrayProgram::delegateEnvironment() {
    return AppDelegateEnvironment{
        .preferences = []() -> Preferences& { return Preferences::shared(); },
        .registerShortcut = [this](const std::optional<KeyShortcut>& shortcut) {
            hotKeyService_->registerShortcut(shortcut);
        },
        .makeController = [this](ApplicationActions& actions) -> std::unique_ptr<MenuBarController> {
            return std::make_unique<UIControllerMenuBar>(UIController::makeForProgram(*mainQueue_, actions));
        },
        .loadPresets = [] { Presets::shared(); },
        .preferencesFileExists = [] {
            return std::filesystem::exists(ProgramEnvironment::applicationDirectory().filePathWithin("preferences.plist"));
        },
        .isCameraRunning = [] { return Camera::shared().isSessionRunning(); },
        .showHistoryWindow = [this] { showHistoryWindow(); },
        .showAbout = [] { AboutWindowController::shared().showWindow(); },
        .infoString = [](std::string_view key) { return InfoDictionary::main().string(key); },
        .composeEmail = [](const std::string& recipient, const std::string& subject) {
            return MailComposer().composeEmail(recipient, subject);
        },
        .showWarning = [](const std::string& message, const std::string& informativeText) {
            runWarningAlert(message, informativeText);
        },
        .quit = [] { QCoreApplication::quit(); },
    };
}

void TrayProgram::showHistoryWindow() {
    if (!historyWindowController_) {
        historyWindowController_ = std::make_unique<HistoryWindowController>(Preferences::shared());
    }
    historyWindowController_->showWindow();
}

}  // namespace spinewise
