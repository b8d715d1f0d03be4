#include "foundation/Clock.hpp"
#include "windows/HistoryRows.hpp"
#include "windows/HistoryWindowController.hpp"
#include "WindowsTestSupport.hpp"

#include <QAction>
#include <QDateTime>
#include <QMainWindow>
#include <QTableView>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;
using State = Posture::State;

class HistoryWindowControllerTest : public ::testing::Test {
protected:
    /// The posture column as the table shows it, top to bottom.
    std::vector<std::string> shownPostures() {
        QTableView& table = controller.tableView();
        std::vector<std::string> words;
        for (int row = 0; row < table.model()->rowCount(); ++row)
            words.push_back(table.model()->index(row, HistoryRows::kPostureColumn).data().toString().toStdString());
        return words;
    }
    QString shownDate(int row) {
        return controller.tableView().model()->index(row, HistoryRows::kDateColumn).data().toString();
    }

    testing::SettingsHome settings;
    Preferences& preferences = settings.preferences;
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    HistoryWindowController controller{preferences, locale};
};

TEST_F(HistoryWindowControllerTest, AnEmptyHistoryShowsNoRowsAndCannotBeCleared) {
    controller.showWindow();

    EXPECT_TRUE(shownPostures().empty());
    EXPECT_FALSE(controller.clearHistoryAction().isEnabled());
}

TEST_F(HistoryWindowControllerTest, EveryRecordIsARowNewestFirst) {
    preferences.setHistory({{State::correct, 100}, {State::poor, 200}, {State::unknown, 300}, {State::unknown, 400}});

    controller.showWindow();

    EXPECT_THAT(shownPostures(), ElementsAre("Unknown", "Unknown", "Poor", "Good"));
    EXPECT_TRUE(controller.clearHistoryAction().isEnabled());
}

TEST_F(HistoryWindowControllerTest, DatesAreShownInTheUsersLocaleWithSeconds) {
    // 2026-03-04 05:06:07 UTC, shown in the local time zone.
    const TimeInterval start = 1'772'600'767.0 - kUnixToReferenceDate;
    preferences.setHistory({{State::poor, start}});
    const QDateTime local = QDateTime::fromSecsSinceEpoch(1'772'600'767);

    EXPECT_EQ(shownDate(0), locale.toString(local.date(), QLocale::ShortFormat) + " " +
                                local.time().toString("h:mm:ss AP"));
}

TEST_F(HistoryWindowControllerTest, ARecordAppendedWhileOpenAppearsAtTheTop) {
    preferences.setHistory({{State::correct, 100}});
    controller.showWindow();

    preferences.appendToHistory({State::poor, 200});

    EXPECT_THAT(shownPostures(), ElementsAre("Poor", "Good"));
}

TEST_F(HistoryWindowControllerTest, TheUsersSortOrderSurvivesNewRecords) {
    preferences.setHistory({{State::poor, 100}, {State::correct, 200}});
    controller.showWindow();
    controller.tableView().sortByColumn(HistoryRows::kDateColumn, Qt::AscendingOrder);

    preferences.appendToHistory({State::unknown, 300});

    EXPECT_THAT(shownPostures(), ElementsAre("Poor", "Good", "Unknown"));
}

TEST_F(HistoryWindowControllerTest, ClearingEmptiesTheStoreAndTheTableAndDisablesTheButton) {
    preferences.setHistory({{State::correct, 100}, {State::poor, 200}});
    controller.showWindow();

    controller.clearHistoryAction().trigger();

    EXPECT_TRUE(preferences.history().empty());
    EXPECT_TRUE(shownPostures().empty());
    EXPECT_FALSE(controller.clearHistoryAction().isEnabled());
}

TEST_F(HistoryWindowControllerTest, TheTableFollowsTheHistoryOnlyOnceBuiltAndThenAlsoWhileClosed) {
    preferences.setHistory({{State::correct, 100}});
    EXPECT_FALSE(controller.isWindowLoaded()) << "a change before the first showing builds nothing";

    controller.showWindow();
    controller.window().close();
    preferences.appendToHistory({State::poor, 200});

    EXPECT_THAT(shownPostures(), ElementsAre("Poor", "Good"));
}

}  // namespace
}  // namespace spinewise
