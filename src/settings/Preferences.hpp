#pragma once

#include "foundation/Clock.hpp"
#include "foundation/KeyValueObservable.hpp"
#include "settings/ApplicationDirectory.hpp"
#include "settings/PreferencesFile.hpp"
#include "settings/State.hpp"
#include "settings/UserDefaults.hpp"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace spinewise {

class MainScreen;
class ResourceBundle;

/// Key paths of the observable settings.
namespace PreferenceKey {
inline constexpr std::string_view scheduleInterval = "scheduleInterval";
inline constexpr std::string_view correctPostureTime = "correctPostureTime";
inline constexpr std::string_view poorPostureTime = "poorPostureTime";
inline constexpr std::string_view unknownPostureTime = "unknownPostureTime";
inline constexpr std::string_view eyeLevelInPercent = "eyeLevelInPercent";
inline constexpr std::string_view notificationColor = "notificationColor";
inline constexpr std::string_view notificationTransparency = "notificationTransparency";
inline constexpr std::string_view playNotificationSound = "playNotificationSound";
inline constexpr std::string_view notificationSoundFilename = "notificationSoundFilename";
inline constexpr std::string_view selectedVideoDeviceUID = "selectedVideoDeviceUID";
inline constexpr std::string_view keyCombo = "keyCombo";
inline constexpr std::string_view showStatusBarItem = "showStatusBarItem";
inline constexpr std::string_view showPreferencesWindowOnStartUp = "showPreferencesWindowOnStartUp";
inline constexpr std::string_view launchAtLogin = "launchAtLogin";
}  // namespace PreferenceKey

/// The user-defaults key of the access bookmark of a user-chosen alert sound.
inline constexpr std::string_view kNotificationSoundBookmarkKey = "notificationSoundSecurityBookmarkKey";

/// What Preferences takes from outside its file. The main screen and the
/// resources are read only while constructing, when the defaults are needed.
struct PreferencesEnvironment {
    ApplicationDirectory applicationDirectory;
    UserDefaults userDefaults;
    const MainScreen& mainScreen;
    const ResourceBundle& resources;
    const Clock& clock;
};

/// The program's settings and posture history. Each setting is observable
/// under its key path (PreferenceKey); every set calls that key's observers
/// once, also when the value does not change. Every assignment of the history
/// posts Notifications::historyDidChange on the default notification centre.
/// Main thread only.
class Preferences final : public KeyValueObservable {
public:
    struct Notifications {
        static constexpr std::string_view historyDidChange = "historyDidChange";
    };

    /// Loads the settings file, or takes the defaults when it cannot be used.
    explicit Preferences(PreferencesEnvironment environment);
    Preferences(const Preferences&) = delete;
    Preferences& operator=(const Preferences&) = delete;

    /// The running program's instance, created on first use from the
    /// environment the program installed (ProgramEnvironment).
    static Preferences& shared();

    double scheduleInterval() const { return state_.scheduleInterval; }
    void setScheduleInterval(double value) { set(PreferenceKey::scheduleInterval, state_.scheduleInterval, value); }
    double correctPostureTime() const { return state_.correctPostureTime; }
    void setCorrectPostureTime(double value) {
        set(PreferenceKey::correctPostureTime, state_.correctPostureTime, value);
    }
    double poorPostureTime() const { return state_.poorPostureTime; }
    void setPoorPostureTime(double value) { set(PreferenceKey::poorPostureTime, state_.poorPostureTime, value); }
    double unknownPostureTime() const { return state_.unknownPostureTime; }
    void setUnknownPostureTime(double value) {
        set(PreferenceKey::unknownPostureTime, state_.unknownPostureTime, value);
    }
    double eyeLevelInPercent() const { return state_.eyeLevelInPercent; }
    void setEyeLevelInPercent(double value) { set(PreferenceKey::eyeLevelInPercent, state_.eyeLevelInPercent, value); }
    const Color& notificationColor() const { return state_.notificationColor; }
    void setNotificationColor(Color value) { set(PreferenceKey::notificationColor, state_.notificationColor, value); }
    double notificationTransparency() const { return state_.notificationTransparency; }
    void setNotificationTransparency(double value) {
        set(PreferenceKey::notificationTransparency, state_.notificationTransparency, value);
    }
    bool playNotificationSound() const { return state_.playNotificationSound; }
    void setPlayNotificationSound(bool value) {
        set(PreferenceKey::playNotificationSound, state_.playNotificationSound, value);
    }
    const std::string& notificationSoundFilename() const { return state_.notificationSoundFilename; }
    void setNotificationSoundFilename(std::string value) {
        set(PreferenceKey::notificationSoundFilename, state_.notificationSoundFilename, std::move(value));
    }
    const std::optional<std::string>& selectedVideoDeviceUID() const { return state_.selectedVideoDeviceUID; }
    void setSelectedVideoDeviceUID(std::optional<std::string> value) {
        set(PreferenceKey::selectedVideoDeviceUID, state_.selectedVideoDeviceUID, std::move(value));
    }
    const std::optional<KeyShortcut>& keyCombo() const { return state_.keyCombo; }
    void setKeyCombo(std::optional<KeyShortcut> value) { set(PreferenceKey::keyCombo, state_.keyCombo, value); }
    bool showStatusBarItem() const { return state_.showStatusBarItem; }
    void setShowStatusBarItem(bool value) { set(PreferenceKey::showStatusBarItem, state_.showStatusBarItem, value); }
    bool showPreferencesWindowOnStartUp() const { return state_.showPreferencesWindowOnStartUp; }
    void setShowPreferencesWindowOnStartUp(bool value) {
        set(PreferenceKey::showPreferencesWindowOnStartUp, state_.showPreferencesWindowOnStartUp, value);
    }
    bool launchAtLogin() const { return state_.launchAtLogin; }
    void setLaunchAtLogin(bool value) { set(PreferenceKey::launchAtLogin, state_.launchAtLogin, value); }

    /// Posture changes, oldest first.
    const std::vector<Posture>& history() const { return state_.history; }
    void setHistory(std::vector<Posture> history);
    /// Adds one posture at the end: an assignment of the history, posted as such.
    void appendToHistory(Posture posture);

    /// Calls the observers of each key path, in list order, as if its value had just been set.
    void announce(std::initializer_list<std::string_view> keyPaths);

    /// Writes the settings file (at normal termination).
    void save() const;

    /// The bytes stored in the user defaults under kNotificationSoundBookmarkKey,
    /// or nothing when there is no entry or it is not raw bytes.
    std::optional<std::vector<std::byte>> notificationSoundBookmark() const;

private:
    template <class T>
    void set(std::string_view keyPath, T& field, std::type_identity_t<T> value) {
        willChangeValue(keyPath);
        field = std::move(value);
        didChangeValue(keyPath);
    }

    PreferencesFile file_;
    UserDefaults userDefaults_;
    State state_;
};

}  // namespace spinewise
