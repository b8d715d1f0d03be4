#include "shell/AppDelegate.hpp"

#include "settings/Preferences.hpp"

#include <string>
#include <utility>

namespace spinewise {

AppDelegate::AppDelegate(AppDelegateEnvironment environment) : environment_(std::move(environment)) {}

void AppDelegate::applicationDidFinishLaunching() {
    Preferences& preferences = environment_.preferences();
    keyComboObservation_ =
        preferences.observe(std::string(PreferenceKey::keyCombo), [this] { registerShortcutFromSettings(); });
    preferences.announce({PreferenceKey::keyCombo});

    controller_ = environment_.makeController(*this);
    environment_.loadPresets();

    if (!environment_.preferencesFileExists() || preferences.showPreferencesWindowOnStartUp()) {
        controller_->showPreferencesWindow();
    }
}

void AppDelegate::applicationWillTerminate() {
    keyComboObservation_.reset();
    environment_.preferences().save();
}

void AppDelegate::registerShortcutFromSettings() {
    environment_.registerShortcut(environment_.preferences().keyCombo());
}

void AppDelegate::checkPosture() {
    if (environment_.isCameraRunning() || !controller_) return;
    controller_->startMonitoring();
}

void AppDelegate::showPreferencesWindow() {
    if (controller_) controller_->showPreferencesWindow();
}

void AppDelegate::showHistoryWindow() { environment_.showHistoryWindow(); }

void AppDelegate::showAbout() { environment_.showAbout(); }

void AppDelegate::terminate() { environment_.quit(); }

void AppDelegate::sendFeedback() {
    const auto version = environment_.infoString("CFBundleShortVersionString");
    const auto revision = environment_.infoString("com.brightfold.spinewise.GitRevChecksum");
    const std::string address(kSupportAddress);
    if (version && revision &&
        environment_.composeEmail(address, "Feedback for Spinewise " + *version + " (" + *revision + ")")) {
        return;
    }
    environment_.showWarning("Email cannot be sent directly from Spinewise app", "Please send feedback to " + address);
}

}  // namespace spinewise
