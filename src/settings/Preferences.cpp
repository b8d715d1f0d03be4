#include "settings/Preferences.hpp"

#include "foundation/NotificationCenter.hpp"
#include "foundation/ResourceBundle.hpp"
#include "settings/ProgramEnvironment.hpp"

namespace spinewise {
namespace {

State loadedOrDefaultState(const PreferencesFile& file, const PreferencesEnvironment& environment) {
    if (auto loaded = file.load()) return std::move(*loaded);
    return State::defaults(environment.mainScreen, environment.resources);
}

}  // namespace

Preferences::Preferences(PreferencesEnvironment environment)
    : file_(std::move(environment.applicationDirectory), environment.clock),
      userDefaults_(std::move(environment.userDefaults)),
      state_(loadedOrDefaultState(file_, environment)) {}

Preferences& Preferences::shared() {
    static Preferences instance({
        .applicationDirectory = ProgramEnvironment::applicationDirectory(),
        .userDefaults = ProgramEnvironment::userDefaults(),
        .mainScreen = ProgramEnvironment::mainScreen(),
        .resources = ResourceBundle::main(),
        .clock = systemClock(),
    });
    return instance;
}

void Preferences::setHistory(std::vector<Posture> history) {
    state_.history = std::move(history);
    NotificationCenter::defaultCenter().post(Notifications::historyDidChange);
}

void Preferences::appendToHistory(Posture posture) {
    state_.history.push_back(std::move(posture));
    NotificationCenter::defaultCenter().post(Notifications::historyDidChange);
}

void Preferences::announce(std::initializer_list<std::string_view> keyPaths) {
    for (const auto keyPath : keyPaths) {
        willChangeValue(keyPath);
        didChangeValue(keyPath);
    }
}

void Preferences::save() const { file_.save(state_); }

std::optional<std::vector<std::byte>> Preferences::notificationSoundBookmark() const {
    return userDefaults_.data(kNotificationSoundBookmarkKey);
}

}  // namespace spinewise
