#pragma once

#include "foundation/ObserverRegistry.hpp"
#include "settings/KeyShortcut.hpp"
#include "shell/ApplicationActions.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace spinewise {

class Preferences;

/// What the application delegate needs of the menu-bar controller it creates.
class MenuBarController {
public:
    virtual ~MenuBarController() = default;
    virtual void showPreferencesWindow() = 0;
    /// Starts a fresh mode object for the current mode.
    virtual void startMonitoring() = 0;
};

/// Everything the application delegate reaches, injected so that start-up,
/// actions and termination can be followed in tests.
struct AppDelegateEnvironment {
    /// The settings; the first call loads them.
    std::function<Preferences&()> preferences;
    /// Replaces the one global shortcut (none when absent).
    std::function<void(const std::optional<KeyShortcut>&)> registerShortcut;
    /// Creates the menu-bar controller, which answers to `actions`.
    std::function<std::unique_ptr<MenuBarController>(ApplicationActions& actions)> makeController;
    /// Loads the presets, or creates the first-run ones.
    std::function<void()> loadPresets;
    /// Whether the settings file exists yet (it does not before the first save).
    std::function<bool()> preferencesFileExists;
    /// Whether the camera's capture session runs.
    std::function<bool()> isCameraRunning;
    std::function<void()> showHistoryWindow;
    std::function<void()> showAbout;
    /// A value of the program's information dictionary.
    std::function<std::optional<std::string>(std::string_view key)> infoString;
    /// Opens a new message in the user's mail program; false when that cannot be done.
    std::function<bool(const std::string& recipient, const std::string& subject)> composeEmail;
    /// A modal warning with a message, an informative text and one "OK".
    std::function<void(const std::string& message, const std::string& informativeText)> showWarning;
    /// Ends the event loop; applicationWillTerminate follows.
    std::function<void()> quit;
};

/// The program's application delegate: the start-up sequence, the global
/// shortcut kept in step with "keyCombo", the application-wide actions and the
/// save at normal termination. Main thread only.
class AppDelegate final : public ApplicationActions {
public:
    static constexpr std::string_view kSupportAddress = "support@brightfold.com";

    explicit AppDelegate(AppDelegateEnvironment environment);

    /// Loads the settings, registers the shortcut, creates the controller,
    /// loads the presets and opens the preferences window on the first start
    /// or when the user asked for it.
    void applicationDidFinishLaunching();
    /// Ends the "keyCombo" observation and saves the settings.
    void applicationWillTerminate();

    void checkPosture() override;
    void showHistoryWindow() override;
    void showAbout() override;
    void terminate() override;
    void showPreferencesWindow();
    /// A new e-mail to the support address in the user's mail program, or a
    /// warning naming the address when that cannot be done.
    void sendFeedback();

private:
    void registerShortcutFromSettings();

    AppDelegateEnvironment environment_;
    std::unique_ptr<MenuBarController> controller_;
    ObservationToken keyComboObservation_;
};

}  // namespace spinewise
