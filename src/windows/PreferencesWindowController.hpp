#pragma once

#include "foundation/ObserverRegistry.hpp"
#include "windows/PreferencesWindowControl.hpp"

#include <QSize>

#include <memory>
#include <vector>

namespace spinewise {

class MainScreen;
class PreferencesViewController;
class PreferencesWindow;
class Queue;

/// Shows the preferences window with its tabs, sizes it for the tab shown and
/// tells its delegate before the window shows and after it has closed (the
/// window's "windowDidClose" notification). Main thread only.
class PreferencesWindowController final : public PreferencesWindowControl {
public:
    /// The window holds `tabs` in this order; the first is selected. Each tab
    /// loads the first time it is shown. `mainScreen` must outlive the controller.
    PreferencesWindowController(std::vector<std::unique_ptr<PreferencesViewController>> tabs,
                                const MainScreen& mainScreen);
    ~PreferencesWindowController() override;
    PreferencesWindowController(const PreferencesWindowController&) = delete;
    PreferencesWindowController& operator=(const PreferencesWindowController&) = delete;

    void setDelegate(std::weak_ptr<PreferencesWindowControllerDelegate> delegate) override;
    bool isWindowVisible() const override;
    QRect windowFrame() const override;
    void setWindowFrame(const QRect& frame) override;
    /// Tells the delegate, shows the window (its selected tab appears and sizes
    /// it), then puts its top edge at the top of the main screen, centred
    /// horizontally. An open window is only brought to the front and placed.
    void showWindow() override;

    /// Titles the window after `tab` ("Preferences — " + label in window lists)
    /// and gives the tab's page `contentSize`, keeping the window's top-left corner.
    void resizeWindow(const PreferencesViewController& tab, QSize contentSize);

    PreferencesWindow& window() const { return *window_; }

private:
    void currentTabAppears();
    void shownTabDisappears();
    void tabSelected(int index);
    void windowDidClose();
    void placeAtTopOfMainScreen();

    const MainScreen& mainScreen_;
    std::weak_ptr<PreferencesWindowControllerDelegate> delegate_;
    std::unique_ptr<PreferencesWindow> window_;
    PreferencesViewController* shownTab_ = nullptr;
    ObservationToken closeObservation_;
};

/// The program's preferences window: the tabs "Calibration", "Notifications"
/// and "Monitoring" over the shared settings, camera and presets;
/// `mainQueue` is the program's main queue.
std::unique_ptr<PreferencesWindowController> makePreferencesWindowController(Queue& mainQueue);

}  // namespace spinewise
