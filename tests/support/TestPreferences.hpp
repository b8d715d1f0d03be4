#pragma once

#include "foundation/AlertPresenter.hpp"
#include "foundation/Clock.hpp"
#include "foundation/ResourceBundle.hpp"
#include "foundation/Screen.hpp"
#include "settings/Preferences.hpp"

#include <filesystem>
#include <memory>

namespace spinewise::testing {

/// Settings kept under a test's home folder: data in home/data, user defaults
/// in home/config.
inline PreferencesEnvironment preferencesEnvironmentIn(const std::filesystem::path& home,
                                                       std::shared_ptr<AlertPresenter> alerts,
                                                       const MainScreen& screen, const ResourceBundle& resources,
                                                       const Clock& clock) {
    return PreferencesEnvironment{
        .applicationDirectory = ApplicationDirectory(home / "data", std::move(alerts)),
        .userDefaults = UserDefaults(home / "config" / "user-defaults.json"),
        .mainScreen = screen,
        .resources = resources,
        .clock = clock,
    };
}

}  // namespace spinewise::testing
