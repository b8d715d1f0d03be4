#pragma once

#include "foundation/ResourceBundle.hpp"
#include "foundation/VirtualClock.hpp"
#include "settings/Preferences.hpp"
#include "support/CommonTestSupport.hpp"
#include "support/TestPreferences.hpp"

#include <QWidget>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace spinewise::testing {

/// Settings of their own under a temporary home, with the user defaults the
/// windows write to. Construction's log lines are kept out of the way.
struct SettingsHome {
    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen{Rect{0, 0, 1440, 900}};
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    VirtualClock clock{700'000'000};
    LogRecorder constructionLog;
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, clock)};
    UserDefaults userDefaults{home.path() / "config" / "user-defaults.json"};
};

/// The child control of `parent` with the object name `name`; throws when there is none.
template <class Control>
Control& findControl(const QWidget& parent, const char* name) {
    auto* found = parent.findChild<Control*>(name);
    if (!found) throw std::runtime_error(std::string("no control ") + name);
    return *found;
}

/// Counts the calls of the observers of one setting.
class ObserverCount {
public:
    ObserverCount(Preferences& preferences, std::string_view keyPath)
        : observation_(preferences.observe(std::string(keyPath), [this] { ++count_; })) {}
    int count() const { return count_; }

private:
    int count_ = 0;
    ObservationToken observation_;
};

}  // namespace spinewise::testing
