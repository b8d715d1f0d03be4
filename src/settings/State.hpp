#pragma once

#include "posture/Posture.hpp"
#include "foundation/Color.hpp"
#include "settings/KeyShortcut.hpp"

#include <nlohmann/json_fwd.hpp>

#include <optional>
#include <string>
#include <vector>

namespace spinewise {

class MainScreen;
class ResourceBundle;

/// Every setting and the posture history, as the settings file holds them.
/// The member initialisers are the defaults that need nothing from outside;
/// `defaults` adds the two that do.
struct State {
    double scheduleInterval = 1.0;
    double correctPostureTime = 5.0;
    double poorPostureTime = 2.0;
    double unknownPostureTime = 10.0;
    double eyeLevelInPercent = 0.5;
    Color notificationColor{1.0, 0.0, 0.0, 1.0};
    double notificationTransparency = 0.5;
    bool playNotificationSound = true;
    std::string notificationSoundFilename;
    std::optional<std::string> selectedVideoDeviceUID;
    std::optional<KeyShortcut> keyCombo;
    bool showStatusBarItem = true;
    bool showPreferencesWindowOnStartUp = false;
    bool launchAtLogin = false;
    std::vector<Posture> history;

    /// The default record: the eye level at the middle of the main screen's
    /// frame, (origin y + height / 2) / height, and the file name of the
    /// default sound resource. No main screen or no sound resource stops the
    /// program: both are installation faults.
    static State defaults(const MainScreen& mainScreen, const ResourceBundle& resources);
};

/// The settings file's JSON object. The two optional members are left out when absent.
nlohmann::json toJson(const State& state);
/// Reads the settings file's JSON object; throws JsonDecodingError or
/// PostureDecodingError when any required member is missing or ill-typed.
/// Members it does not know are ignored; null counts as absent for the optional ones.
State stateFromJson(const nlohmann::json& json);

}  // namespace spinewise
