#include "SettingsTestSupport.hpp"

#include "foundation/NotificationCenter.hpp"

#include <functional>

namespace spinewise::testing {
namespace {

using Setter = std::function<void(Preferences&)>;

/// Each observable key with a set of its current value.
const std::vector<std::pair<std::string_view, Setter>>& unchangedSets() {
    static const std::vector<std::pair<std::string_view, Setter>> sets{
        {PreferenceKey::scheduleInterval, [](Preferences& p) { p.setScheduleInterval(p.scheduleInterval()); }},
        {PreferenceKey::correctPostureTime, [](Preferences& p) { p.setCorrectPostureTime(p.correctPostureTime()); }},
        {PreferenceKey::poorPostureTime, [](Preferences& p) { p.setPoorPostureTime(p.poorPostureTime()); }},
        {PreferenceKey::unknownPostureTime, [](Preferences& p) { p.setUnknownPostureTime(p.unknownPostureTime()); }},
        {PreferenceKey::eyeLevelInPercent, [](Preferences& p) { p.setEyeLevelInPercent(p.eyeLevelInPercent()); }},
        {PreferenceKey::notificationColor, [](Preferences& p) { p.setNotificationColor(p.notificationColor()); }},
        {PreferenceKey::notificationTransparency,
         [](Preferences& p) { p.setNotificationTransparency(p.notificationTransparency()); }},
        {PreferenceKey::playNotificationSound,
         [](Preferences& p) { p.setPlayNotificationSound(p.playNotificationSound()); }},
        {PreferenceKey::notificationSoundFilename,
         [](Preferences& p) { p.setNotificationSoundFilename(p.notificationSoundFilename()); }},
        {PreferenceKey::selectedVideoDeviceUID,
         [](Preferences& p) { p.setSelectedVideoDeviceUID(p.selectedVideoDeviceUID()); }},
        {PreferenceKey::keyCombo, [](Preferences& p) { p.setKeyCombo(p.keyCombo()); }},
        {PreferenceKey::showStatusBarItem, [](Preferences& p) { p.setShowStatusBarItem(p.showStatusBarItem()); }},
        {PreferenceKey::showPreferencesWindowOnStartUp,
         [](Preferences& p) { p.setShowPreferencesWindowOnStartUp(p.showPreferencesWindowOnStartUp()); }},
        {PreferenceKey::launchAtLogin, [](Preferences& p) { p.setLaunchAtLogin(p.launchAtLogin()); }},
    };
    return sets;
}

/// Counts the calls of one observer on every observable key.
class PreferencesObservationTest : public PreferencesTest {
protected:
    void SetUp() override {
        preferences = makePreferences();
        for (const auto& [key, set] : unchangedSets())
            tokens.push_back(preferences->observe(std::string(key), [this, name = std::string(key)] {
                calls.push_back(name);
            }));
    }

    std::unique_ptr<Preferences> preferences;
    std::vector<ObservationToken> tokens;
    std::vector<std::string> calls;
};

TEST_F(PreferencesObservationTest, EverySetCallsOnlyThatKeysObserversOnceEvenWhenUnchanged) {
    ASSERT_EQ(unchangedSets().size(), 14U);
    for (const auto& [key, set] : unchangedSets()) {
        calls.clear();
        set(*preferences);
        EXPECT_EQ(calls, std::vector<std::string>{std::string(key)});
    }
}

TEST_F(PreferencesObservationTest, ObserverReadsTheNewValue) {
    std::optional<KeyShortcut> seen;
    auto token = preferences->observe("keyCombo", [&] { seen = preferences->keyCombo(); });
    preferences->setKeyCombo(KeyShortcut::combination(96, KeyShortcut::command));
    EXPECT_EQ(seen, KeyShortcut::combination(96, KeyShortcut::command));
}

TEST_F(PreferencesObservationTest, AnnounceCallsTheNamedKeysObserversInListOrder) {
    int secondColorObserverCalls = 0;
    auto second = preferences->observe("notificationColor", [&] { ++secondColorObserverCalls; });

    preferences->announce({"notificationColor"});
    EXPECT_EQ(calls, std::vector<std::string>{"notificationColor"});
    EXPECT_EQ(secondColorObserverCalls, 1);

    calls.clear();
    preferences->announce({"showStatusBarItem", "notificationColor", "notificationTransparency"});
    EXPECT_EQ(calls, (std::vector<std::string>{"showStatusBarItem", "notificationColor", "notificationTransparency"}));

    calls.clear();
    preferences->announce({});
    EXPECT_TRUE(calls.empty());
}

TEST_F(PreferencesObservationTest, EveryHistoryAssignmentPostsOnceAndCallsNoSettingObserver) {
    int posts = 0;
    auto token = NotificationCenter::defaultCenter().addObserver(std::string(Preferences::Notifications::historyDidChange),
                                                                 [&] { ++posts; });

    preferences->setHistory({});
    EXPECT_EQ(posts, 1) << "an empty history assigned to an empty history";

    preferences->appendToHistory({Posture::State::poor, 1});
    EXPECT_EQ(posts, 2);
    ASSERT_EQ(preferences->history().size(), 1U);
    EXPECT_EQ(preferences->history()[0].state, Posture::State::poor);

    preferences->setHistory({});
    EXPECT_EQ(posts, 3);
    EXPECT_TRUE(preferences->history().empty());
    EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace spinewise::testing
