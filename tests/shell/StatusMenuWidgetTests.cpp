// The status menu's items made into a QMenu.
#include "shell/StatusMenuWidget.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;

std::vector<StatusMenuItem> sampleItems() {
    StatusMenuItem on{.title = "On", .action = StatusMenuAction::turnOnAudioNotification, .enabled = true,
                      .checked = true};
    StatusMenuItem off{.title = "Off", .action = StatusMenuAction::turnOffAudioNotification, .enabled = true};
    return {
        {.title = "Interval - Every 1 minute"},
        {.title = "Next at 06:14:20 in 30 sec", .isAlternate = true},
        StatusMenuItem::separator(),
        {.title = "Audio Notification", .enabled = true, .submenu = {on, off}},
        {.title = "Preferences...", .action = StatusMenuAction::showPreferencesWindow, .enabled = true,
         .shortcut = QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key_Comma))},
        {.title = "Sofa", .action = StatusMenuAction::applyPreset, .enabled = true, .tag = 1},
    };
}

/// "title|enabled|checked|keys|visible" for each action; "---" for a separator.
std::vector<std::string> describe(const QMenu& menu) {
    std::vector<std::string> lines;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            lines.emplace_back("---");
            continue;
        }
        lines.push_back(action->text().toStdString() + (action->isEnabled() ? "|enabled" : "|disabled") +
                        (action->isChecked() ? "|checked" : "") + "|" + action->shortcut().toString().toStdString() +
                        (action->isVisible() ? "" : "|hidden"));
    }
    return lines;
}

TEST(StatusMenuWidgetTest, MirrorsTheItemsAndHidesTheAlternateUnlessAltIsHeld) {
    StatusMenuWidget widget(sampleItems(), false, [](StatusMenuAction, int) {});
    const auto menu = widget.takeMenu();

    EXPECT_THAT(describe(*menu), ElementsAre("Interval - Every 1 minute|disabled|", "Next at 06:14:20 in 30 sec|disabled||hidden",
                                            "---", "Audio Notification|enabled|", "Preferences...|enabled|Ctrl+,",
                                            "Sofa|enabled|"));
    const QMenu* audio = menu->actions().at(3)->menu();
    ASSERT_NE(audio, nullptr);
    EXPECT_THAT(describe(*audio), ElementsAre("On|enabled|checked|", "Off|enabled|"));

    StatusMenuWidget::showAlternate(widget.primaryAction(), widget.alternateAction(), true);
    EXPECT_FALSE(menu->actions().at(0)->isVisible());
    EXPECT_TRUE(menu->actions().at(1)->isVisible());
}

TEST(StatusMenuWidgetTest, BuiltWithAltHeldShowsTheAlternate) {
    StatusMenuWidget widget(sampleItems(), true, [](StatusMenuAction, int) {});
    const auto menu = widget.takeMenu();
    EXPECT_FALSE(menu->actions().at(0)->isVisible());
    EXPECT_TRUE(menu->actions().at(1)->isVisible());
}

TEST(StatusMenuWidgetTest, ChoosingAnItemCallsTheHandlerWithItsActionAndTag) {
    std::vector<std::pair<StatusMenuAction, int>> chosen;
    auto menu = StatusMenuWidget(sampleItems(), false,
                                 [&chosen](StatusMenuAction action, int tag) { chosen.emplace_back(action, tag); })
                    .takeMenu();

    menu->actions().at(5)->trigger();
    menu->actions().at(3)->menu()->actions().at(1)->trigger();
    menu->actions().at(0)->trigger();  // disabled and without action: nothing

    EXPECT_THAT(chosen, ElementsAre(std::pair{StatusMenuAction::applyPreset, 1},
                                    std::pair{StatusMenuAction::turnOffAudioNotification, 0}));
}

TEST(StatusMenuWidgetTest, TheActionPointersLetGoWhenTheMenuGoes) {
    StatusMenuWidget widget(sampleItems(), false, [](StatusMenuAction, int) {});
    widget.takeMenu().reset();
    EXPECT_TRUE(widget.primaryAction().isNull());
    EXPECT_TRUE(widget.alternateAction().isNull());
}

}  // namespace
}  // namespace spinewise::testing
