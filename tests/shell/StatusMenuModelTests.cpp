// The status menu as data: which items, in which order, with which titles,
// states and key equivalents, for the states the program can be in.
#include "shell/StatusMenuModel.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using State = Posture::State;

/// One line per item: its title, then "(disabled)", "[x]" when checked,
/// "<keys>" for a key equivalent, "#tag" for a preset, "alt:" before an
/// alternate; "---" for a separator; a submenu's items after " > ".
std::string describe(const StatusMenuItem& item) {
    if (item.isSeparator) return "---";
    std::string text = (item.isAlternate ? "alt:" : "") + item.title;
    if (!item.enabled) text += " (disabled)";
    if (item.checked) text += " [x]";
    if (!item.shortcut.isEmpty()) text += " <" + item.shortcut.toString().toStdString() + ">";
    if (item.action == StatusMenuAction::applyPreset) text += " #" + std::to_string(item.tag);
    for (const auto& child : item.submenu) text += (&child == &item.submenu.front() ? " > " : " | ") + describe(child);
    return text;
}

std::vector<std::string> describe(const std::vector<StatusMenuItem>& items) {
    std::vector<std::string> lines;
    for (const auto& item : items) lines.push_back(describe(item));
    return lines;
}

/// Scheduled every minute, running, camera off, nothing in the history, no
/// presets, another program active.
StatusMenuState baseState() {
    return {.interval = {.mode = MonitorMode::scheduled, .isRunning = true, .scheduleInterval = 1}};
}

struct MenuCase {
    std::string name;
    StatusMenuState state;
    std::vector<std::string> items;
};

void PrintTo(const MenuCase& menuCase, std::ostream* out) { *out << menuCase.name; }

class StatusMenuTable : public ::testing::TestWithParam<MenuCase> {};

TEST_P(StatusMenuTable, ItemsTitlesStatesAndKeys) { EXPECT_EQ(describe(statusMenuItems(GetParam().state)), GetParam().items); }

MenuCase withState(std::string name, void (*change)(StatusMenuState&), std::vector<std::string> items) {
    auto state = baseState();
    change(state);
    return {std::move(name), std::move(state), std::move(items)};
}

const std::vector<std::string> kTail{"---", "Audio Notification > On [x] | Off", "Preferences...", "---", "About",
                                     "Quit"};

std::vector<std::string> withTail(std::vector<std::string> head) {
    head.insert(head.end(), kTail.begin(), kTail.end());
    return head;
}

INSTANTIATE_TEST_SUITE_P(
    States, StatusMenuTable,
    ::testing::Values(
        withState("ScheduledRunning", [](StatusMenuState&) {},
                  withTail({"Interval - Every 1 minute (disabled)", "alt:Interval - Every 1 minute (disabled)", "---",
                            "Check Posture", "Pause"})),
        withState("ScheduledPausedEveryFiveMinutes",
                  [](StatusMenuState& s) {
                      s.interval.scheduleInterval = 5;
                      s.interval.isRunning = false;
                  },
                  withTail({"Interval - Every 5 minutes (Paused) (disabled)",
                            "alt:Interval - Every 5 minutes (Paused) (disabled)", "---", "Check Posture", "Resume"})),
        withState("RoundedMinutesArePlural", [](StatusMenuState& s) { s.interval.scheduleInterval = 1.5; },
                  withTail({"Interval - Every 2 minutes (disabled)", "alt:Interval - Every 2 minutes (disabled)", "---",
                            "Check Posture", "Pause"})),
        withState("LiveOffersNoCheck", [](StatusMenuState& s) { s.interval.mode = MonitorMode::live; },
                  withTail({"Interval - Live (disabled)", "alt:Interval - Live (disabled)", "---", "Pause"})),
        withState("LivePaused",
                  [](StatusMenuState& s) {
                      s.interval.mode = MonitorMode::live;
                      s.interval.isRunning = false;
                  },
                  withTail({"Interval - Live (Paused) (disabled)", "alt:Interval - Live (Paused) (disabled)", "---",
                            "Resume"})),
        withState("ManualIsNeverPausedAndOffersNoPause",
                  [](StatusMenuState& s) {
                      s.interval.mode = MonitorMode::manual;
                      s.interval.isRunning = false;
                  },
                  withTail({"Interval - Manual (disabled)", "alt:Interval - Manual (disabled)", "---",
                            "Check Posture"})),
        withState("NoCheckWhileTheCameraRuns",
                  [](StatusMenuState& s) {
                      s.interval.isSessionRunning = true;
                      s.interval.lastStop = 0;
                  },
                  withTail({"Interval - Every 1 minute (disabled)", "alt:Running... (disabled)", "---", "Pause"})),
        withState("NeitherCheckNorPauseWhileThePreferencesWindowIsVisible",
                  [](StatusMenuState& s) { s.isPreferencesWindowVisible = true; },
                  withTail({"Interval - Every 1 minute (disabled)", "alt:Interval - Every 1 minute (disabled)",
                            "---"})),
        withState("GoodPostureWhenTheHistoryHasCorrectOrPoorEntries",
                  [](StatusMenuState& s) { s.goodPosturePercentage = 200.0 / 3; },
                  withTail({"Interval - Every 1 minute (disabled)", "alt:Interval - Every 1 minute (disabled)",
                            "Good Posture 66.7%", "---", "Check Posture", "Pause"})),
        withState("PresetsSitInTheMenuWithTheirIndex",
                  [](StatusMenuState& s) { s.presetTitles = {"Desk", "Sofa"}; },
                  {"Interval - Every 1 minute (disabled)", "alt:Interval - Every 1 minute (disabled)", "---",
                   "Check Posture", "Pause", "---", "Audio Notification > On [x] | Off", "Preferences...", "---",
                   "Presets (disabled)", "Desk #0", "Sofa #1", "---", "About", "Quit"}),
        withState("KeysForPreferencesAndQuitOnlyWhenFrontmost",
                  [](StatusMenuState& s) {
                      s.isFrontmost = true;
                      s.playNotificationSound = false;
                      s.checkPostureShortcut = QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P));
                  },
                  {"Interval - Every 1 minute (disabled)", "alt:Interval - Every 1 minute (disabled)", "---",
                   "Check Posture <Ctrl+Alt+P>", "Pause", "---", "Audio Notification > On | Off [x]",
                   "Preferences... <Ctrl+,>", "---", "About", "Quit <Ctrl+Q>"})),
    [](const ::testing::TestParamInfo<MenuCase>& param) { return param.param.name; });

TEST(StatusMenuModelTest, EveryChoosableItemCarriesItsAction) {
    auto state = baseState();
    state.goodPosturePercentage = 50;
    state.presetTitles = {"Desk"};
    std::vector<StatusMenuAction> actions;
    for (const auto& item : statusMenuItems(state)) {
        actions.push_back(item.action);
        for (const auto& child : item.submenu) actions.push_back(child.action);
    }
    using A = StatusMenuAction;
    EXPECT_THAT(actions, ElementsAre(A::none, A::none, A::showHistoryWindow, A::none, A::checkPosture, A::pause,
                                     A::none, A::none, A::turnOnAudioNotification, A::turnOffAudioNotification,
                                     A::showPreferencesWindow, A::none, A::none, A::applyPreset, A::none,
                                     A::showAbout, A::quit));
}

TEST(GoodPostureTest, IsTheShareOfCorrectAmongCorrectAndPoorEntries) {
    const auto history = [](std::vector<State> states) {
        std::vector<Posture> postures;
        for (const auto state : states) postures.push_back(Posture{.state = state, .start = 0});
        return postures;
    };
    EXPECT_EQ(goodPosturePercentage({}), std::nullopt);
    EXPECT_EQ(goodPosturePercentage(history({State::unknown, State::unknown})), std::nullopt);
    const auto twoOfThree = goodPosturePercentage(history({State::correct, State::unknown, State::poor, State::correct}));
    ASSERT_TRUE(twoOfThree);
    EXPECT_EQ(goodPostureTitle(*twoOfThree), "Good Posture 66.7%");
    EXPECT_EQ(goodPosturePercentage(history({State::poor})), 0.0);
    EXPECT_EQ(goodPostureTitle(100), "Good Posture 100.0%");
}

}  // namespace
}  // namespace spinewise::testing
