#include "shell/UIController.hpp"

#include "camera/Camera.hpp"
#include "foundation/DecimalText.hpp"
#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "platform/ShortcutKeys.hpp"
#include "settings/Preferences.hpp"
#include "settings/Presets.hpp"
#include "shell/StatusMenuWidget.hpp"

#include <cmath>
#include <string>

namespace spinewise {
namespace {

/// The image of a camera that is not watching: the upright figure in the lighter grey.
constexpr StatusImage kIdleStatusImage{kStatusCorrectImageName, Color::white(0.5, 1.0)};

/// The preferences window's height when it is placed.
constexpr int kPreferencesWindowHeight = 610;

}  // namespace

UIController::UIController(UIControllerEnvironment environment)
    : environment_(std::move(environment)),
      sounds_(environment_.preferences, environment_.resources, *environment_.soundFactory),
      images_(environment_.resources),
      alert_(environment_.preferences, environment_.mainScreen, sounds_, environment_.isWindowOpacityAvailable) {
    monitorController_ = environment_.makeMonitorController();
    if (!monitorController_) fatalError("The UI controller has no monitor controller");
    monitorController_->setDelegate(self_);

    statusItem_ = std::make_unique<StatusItem>(self_, environment_.isSystemTrayAvailable);

    menuRefresh_ = std::make_unique<DispatchTimer>(1.0, true, environment_.mainQueue,
                                                   [this] { updateIntervalAltMenuItem(); });
    menuRefresh_->start();

    followSettings();
}

UIController::~UIController() = default;

void UIController::followSettings() {
    auto& preferences = environment_.preferences;
    observations_.push_back(preferences.observe(std::string(PreferenceKey::showStatusBarItem), [this] {
        if (environment_.preferences.showStatusBarItem()) {
            statusItem_->show();
        } else {
            statusItem_->hide();
        }
    }));
    observations_.push_back(preferences.observe(std::string(PreferenceKey::notificationColor), [this] {
        alert_.setColor(environment_.preferences.notificationColor());
    }));
    observations_.push_back(preferences.observe(std::string(PreferenceKey::notificationTransparency), [this] {
        alert_.setTransparency(environment_.preferences.notificationTransparency());
    }));
    preferences.announce(
        {PreferenceKey::showStatusBarItem, PreferenceKey::notificationColor, PreferenceKey::notificationTransparency});
}

void UIController::showPreferencesWindow() {
    auto& window = preferencesWindowController();
    if (window.isWindowVisible()) return;
    const auto screen = environment_.mainScreen.frame();
    if (!screen) fatalError("There is no main screen to place the preferences window on");
    const int width = window.windowFrame().width();
    const auto x = static_cast<int>(std::lround((screen->width - width) * 0.5));
    const auto y = static_cast<int>(std::lround((screen->height - kPreferencesWindowHeight) * 0.5));
    window.setWindowFrame(QRect(x, y, width, kPreferencesWindowHeight));
    window.setDelegate(self_);
    window.showWindow();
}

void UIController::applyPreset(int index) {
    const auto& presets = environment_.presets().presets();
    // The list may have changed since the menu was built.
    if (index < 0 || static_cast<std::size_t>(index) >= presets.size()) return;
    const double eyeLevel = presets[static_cast<std::size_t>(index)]->eyeLevelInPercent();
    logLine("Set eye level to: " + decimalText(eyeLevel * 100) + "%");
    environment_.preferences.setEyeLevelInPercent(eyeLevel);
}

void UIController::updateIntervalAltMenuItem() {
    if (!intervalAltMenuItem_) return;
    intervalAltMenuItem_->setText(QString::fromStdString(
        intervalAltTitle(intervalState(), environment_.mainQueue.clock().now(), environment_.timeZone)));
    StatusMenuWidget::showAlternate(intervalMenuItem_, intervalAltMenuItem_, environment_.isAlternateKeyHeld());
}

void UIController::perform(StatusMenuAction action, int tag) {
    auto& preferences = environment_.preferences;
    switch (action) {
    case StatusMenuAction::none: break;
    case StatusMenuAction::showHistoryWindow: environment_.actions.showHistoryWindow(); break;
    case StatusMenuAction::checkPosture: environment_.actions.checkPosture(); break;
    case StatusMenuAction::pause: pause(); break;
    case StatusMenuAction::resume: resume(); break;
    case StatusMenuAction::turnOnAudioNotification: preferences.setPlayNotificationSound(true); break;
    case StatusMenuAction::turnOffAudioNotification: preferences.setPlayNotificationSound(false); break;
    case StatusMenuAction::showPreferencesWindow: showPreferencesWindow(); break;
    case StatusMenuAction::applyPreset: applyPreset(tag); break;
    case StatusMenuAction::showAbout: environment_.actions.showAbout(); break;
    case StatusMenuAction::quit: environment_.actions.terminate(); break;
    }
}

void UIController::monitorControllerDidChangePosture(MonitorController&, const std::optional<Posture>&) {
    statusItem_->update();
}

void UIController::monitorControllerDidChangeDelayedPosture(MonitorController&,
                                                            const std::optional<Posture>& posture) {
    if (posture && posture->state == Posture::State::poor) {
        showNotification();
    } else {
        hideNotification();
    }
    statusItem_->update();
}

std::unique_ptr<QMenu> UIController::menuForStatusItem(StatusItem&) {
    StatusMenuWidget widget(statusMenuItems(statusMenuState()), environment_.isAlternateKeyHeld(),
                            [this](StatusMenuAction action, int tag) { perform(action, tag); });
    intervalMenuItem_ = widget.primaryAction();
    intervalAltMenuItem_ = widget.alternateAction();
    return widget.takeMenu();
}

QImage UIController::imageForStatusItem(StatusItem&) {
    if (isPreferencesWindowVisible()) return images_.image(kIdleStatusImage);
    if (environment_.camera.isSessionRunning()) return images_.image(statusImage(monitorController_->posture()));
    return images_.image(kIdleStatusImage);
}

void UIController::preferencesWindowControllerWillShowWindow(PreferencesWindowControl&) {
    monitorController_->stop();
    hideNotification();
    statusItem_->update();
}

void UIController::preferencesWindowControllerDidCloseWindow(PreferencesWindowControl&) {
    if (monitorController_->mode() != MonitorMode::manual) monitorController_->start();
    statusItem_->update();
}

PreferencesWindowControl& UIController::preferencesWindowController() {
    if (!preferencesWindowController_) {
        preferencesWindowController_ = environment_.makePreferencesWindow();
        if (!preferencesWindowController_) fatalError("The preferences window controller could not be created");
    }
    return *preferencesWindowController_;
}

bool UIController::isPreferencesWindowVisible() const {
    return preferencesWindowController_ && preferencesWindowController_->isWindowVisible();
}

IntervalState UIController::intervalState() const {
    return {
        .mode = monitorController_->mode(),
        .isRunning = monitorController_->isRunning(),
        .scheduleInterval = environment_.preferences.scheduleInterval(),
        .lastStop = environment_.camera.lastStop(),
        .isSessionRunning = environment_.camera.isSessionRunning(),
    };
}

StatusMenuState UIController::statusMenuState() const {
    const auto& preferences = environment_.preferences;
    std::vector<std::string> presetTitles;
    for (const auto& preset : environment_.presets().presets()) presetTitles.push_back(preset->title());
    const auto& keyCombo = preferences.keyCombo();
    return {
        .interval = intervalState(),
        .now = environment_.mainQueue.clock().now(),
        .timeZone = environment_.timeZone,
        .isPreferencesWindowVisible = isPreferencesWindowVisible(),
        .goodPosturePercentage = goodPosturePercentage(preferences.history()),
        .presetTitles = std::move(presetTitles),
        .playNotificationSound = preferences.playNotificationSound(),
        .isFrontmost = environment_.isFrontmost(),
        .checkPostureShortcut = keyCombo ? ShortcutKeys::keySequence(*keyCombo) : QKeySequence(),
    };
}

}  // namespace spinewise
