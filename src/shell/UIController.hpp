#pragma once

#include "foundation/ObserverRegistry.hpp"
#include "foundation/Queue.hpp"
#include "foundation/ResourceBundle.hpp"
#include "foundation/Screen.hpp"
#include "monitoring/DispatchTimer.hpp"
#include "monitoring/MonitorController.hpp"
#include "monitoring/MonitorControllerDelegate.hpp"
#include "shell/AlertSoundFactory.hpp"
#include "shell/AlertSoundSource.hpp"
#include "shell/ApplicationActions.hpp"
#include "shell/PostureAlert.hpp"
#include "shell/StatusImages.hpp"
#include "shell/StatusItem.hpp"
#include "shell/StatusItemDatasource.hpp"
#include "shell/StatusMenuModel.hpp"
#include "windows/PreferencesWindowControl.hpp"

#include <QAction>
#include <QPointer>
#include <QTimeZone>

#include <functional>
#include <memory>
#include <vector>

namespace spinewise {

class Camera;
class Preferences;
class Presets;

/// What the UI controller takes from the program. The references outlive it.
struct UIControllerEnvironment {
    /// Creates the monitor controller, which starts monitoring unless the mode is manual.
    std::function<std::shared_ptr<MonitorController>()> makeMonitorController;
    Camera& camera;
    Preferences& preferences;
    /// The presets, loaded on first use.
    std::function<Presets&()> presets;
    const MainScreen& mainScreen;
    /// Answers "Check Posture", the history, "About" and "Quit".
    ApplicationActions& actions;
    /// Creates the preferences window controller, on first use.
    std::function<std::shared_ptr<PreferencesWindowControl>()> makePreferencesWindow;
    /// Whether this program is the active application.
    std::function<bool()> isFrontmost;
    /// Whether the Alt key is held: the status menu then shows the next check's time.
    std::function<bool()> isAlternateKeyHeld;
    /// Whether a system tray host runs.
    std::function<bool()> isSystemTrayAvailable;
    /// Whether the desktop blends windows by their opacity (the overlay's).
    std::function<bool()> isWindowOpacityAvailable;
    std::shared_ptr<AlertSoundFactory> soundFactory;
    /// Holds the status images and the sound "Basso".
    const ResourceBundle& resources;
    /// The main thread's queue: the menu's one-second refresh runs there and its clock is "now".
    Queue& mainQueue;
    /// The zone of the menu's clock times.
    QTimeZone timeZone;
};

/// The program's presence in the system tray. It owns the monitor controller
/// and hears its posture changes, owns the status item and supplies its menu
/// and image, raises and lowers the alert, owns the preferences window and
/// pauses monitoring while that is open, and follows "showStatusBarItem",
/// "notificationColor" and "notificationTransparency". Main thread only.
class UIController final : public MonitorControllerDelegate,
                           public StatusItemDatasource,
                           public PreferencesWindowControllerDelegate {
public:
    /// Creates the monitor controller and the status item, starts the menu's
    /// one-second refresh, and applies the three settings at once.
    explicit UIController(UIControllerEnvironment environment);
    ~UIController() override;
    UIController(const UIController&) = delete;
    UIController& operator=(const UIController&) = delete;

    /// The running program's controller over the shared settings, presets,
    /// camera and main screen. `mainQueue` is the program's main queue.
    static std::unique_ptr<UIController> makeForProgram(Queue& mainQueue, ApplicationActions& actions);

    MonitorController& monitorController() { return *monitorController_; }
    StatusItem& statusItem() { return *statusItem_; }
    PostureAlert& alert() { return alert_; }

    // Menu actions.
    /// Centres the preferences window and shows it, unless it is already visible.
    void showPreferencesWindow();
    void pause() { monitorController_->stop(); }
    void resume() { monitorController_->start(); }
    /// Sets the eye level to the preset at `index` of the presets list.
    void applyPreset(int index);
    /// Gives the alternate interval item of the last menu its current title.
    void updateIntervalAltMenuItem();
    void perform(StatusMenuAction action, int tag);

    void showNotification() { alert_.show(); }
    void hideNotification() { alert_.hide(); }

    // MonitorControllerDelegate
    void monitorControllerDidChangePosture(MonitorController& controller,
                                           const std::optional<Posture>& posture) override;
    void monitorControllerDidChangeDelayedPosture(MonitorController& controller,
                                                  const std::optional<Posture>& posture) override;

    // StatusItemDatasource
    std::unique_ptr<QMenu> menuForStatusItem(StatusItem& item) override;
    QImage imageForStatusItem(StatusItem& item) override;

    // PreferencesWindowControllerDelegate
    void preferencesWindowControllerWillShowWindow(PreferencesWindowControl& controller) override;
    void preferencesWindowControllerDidCloseWindow(PreferencesWindowControl& controller) override;

private:
    void followSettings();
    PreferencesWindowControl& preferencesWindowController();
    bool isPreferencesWindowVisible() const;
    IntervalState intervalState() const;
    StatusMenuState statusMenuState() const;

    UIControllerEnvironment environment_;
    AlertSoundSource sounds_;
    StatusImages images_;
    PostureAlert alert_;
    std::shared_ptr<MonitorController> monitorController_;
    std::unique_ptr<StatusItem> statusItem_;
    std::shared_ptr<PreferencesWindowControl> preferencesWindowController_;
    QPointer<QAction> intervalMenuItem_;
    QPointer<QAction> intervalAltMenuItem_;
    std::unique_ptr<DispatchTimer> menuRefresh_;
    std::vector<ObservationToken> observations_;
    // What the delegates and datasource references hold; it goes first, so
    // no one reaches this object while it is being torn down.
    std::shared_ptr<UIController> self_{this, [](UIController*) {}};
};

}  // namespace spinewise
