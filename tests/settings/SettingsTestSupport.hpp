#pragma once

#include "foundation/AlertPresenter.hpp"
#include "foundation/Clock.hpp"
#include "foundation/Log.hpp"
#include "foundation/ResourceBundle.hpp"
#include "foundation/Screen.hpp"
#include "settings/Preferences.hpp"
#include "settings/State.hpp"
#include "support/CommonTestSupport.hpp"

#include <nlohmann/json.hpp>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace spinewise::testing {

class FixedClock final : public Clock {
public:
    explicit FixedClock(TimeInterval now) : now_(now) {}
    TimeInterval now() const override { return now_; }

private:
    TimeInterval now_;
};

/// 2026-12-11 08:15:00 UTC.
inline constexpr TimeInterval kTestNow = 818669700;

/// The names of the entries of a directory.
inline std::set<std::string> entriesOf(const std::filesystem::path& directory) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

/// Every setting and the history of a Preferences, as a record to compare.
inline State stateOf(const Preferences& preferences) {
    State state;
    state.scheduleInterval = preferences.scheduleInterval();
    state.correctPostureTime = preferences.correctPostureTime();
    state.poorPostureTime = preferences.poorPostureTime();
    state.unknownPostureTime = preferences.unknownPostureTime();
    state.eyeLevelInPercent = preferences.eyeLevelInPercent();
    state.notificationColor = preferences.notificationColor();
    state.notificationTransparency = preferences.notificationTransparency();
    state.playNotificationSound = preferences.playNotificationSound();
    state.notificationSoundFilename = preferences.notificationSoundFilename();
    state.selectedVideoDeviceUID = preferences.selectedVideoDeviceUID();
    state.keyCombo = preferences.keyCombo();
    state.showStatusBarItem = preferences.showStatusBarItem();
    state.showPreferencesWindowOnStartUp = preferences.showPreferencesWindowOnStartUp();
    state.launchAtLogin = preferences.launchAtLogin();
    state.history = preferences.history();
    return state;
}

/// A home folder in a temporary directory with the program's data folder,
/// a 1920x1080 main screen, the build tree's resources and a fixed clock.
class PreferencesTest : public ::testing::Test {
protected:
    std::filesystem::path dataHome() const { return home_.path() / "data"; }
    std::filesystem::path applicationDirectory() const { return dataHome() / "com.brightfold.spinewise"; }
    std::filesystem::path preferencesFile() const { return applicationDirectory() / "preferences.plist"; }
    std::filesystem::path userDefaultsFile() const { return home_.path() / "config" / "user-defaults.json"; }
    std::filesystem::path fixture(std::string_view name) const {
        return std::filesystem::path(SETTINGS_FIXTURES_DIR) / name;
    }
    void installFixture(std::string_view name) { writeFile(preferencesFile(), readFile(fixture(name))); }

    std::unique_ptr<Preferences> makePreferences() {
        return std::make_unique<Preferences>(PreferencesEnvironment{
            .applicationDirectory = ApplicationDirectory(dataHome(), alerts),
            .userDefaults = UserDefaults(userDefaultsFile()),
            .mainScreen = screen,
            .resources = resources,
            .clock = clock,
        });
    }
    State defaults() const { return State::defaults(screen, resources); }

    TemporaryDirectory home_;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen{Rect{0, 0, 1920, 1080}};
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    FixedClock clock{kTestNow};
    LogRecorder log;
};

}  // namespace spinewise::testing
