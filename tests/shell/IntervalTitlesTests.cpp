// The interval item's title and its alternate, which tells when the next
// scheduled check comes.
#include "shell/IntervalTitles.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace spinewise::testing {
namespace {

IntervalState scheduled(double minutes, bool running = true) {
    return {.mode = MonitorMode::scheduled, .isRunning = running, .scheduleInterval = minutes};
}

TEST(IntervalTitleTest, NamesTheModeAndWhetherItIsPaused) {
    const struct {
        IntervalState state;
        const char* title;
    } cases[] = {
        {scheduled(1), "Interval - Every 1 minute"},
        {scheduled(1.5), "Interval - Every 2 minutes"},
        {scheduled(2.5), "Interval - Every 2 minutes"},  // rounded half to even, as printf does
        {scheduled(5, false), "Interval - Every 5 minutes (Paused)"},
        {{.mode = MonitorMode::live, .isRunning = true}, "Interval - Live"},
        {{.mode = MonitorMode::live, .isRunning = false}, "Interval - Live (Paused)"},
        {{.mode = MonitorMode::manual, .isRunning = false}, "Interval - Manual"},
        {{.mode = MonitorMode::manual, .isRunning = true}, "Interval - Manual"},
    };
    for (const auto& [state, title] : cases) EXPECT_EQ(intervalTitle(state), title);
}

// 2001-01-01 00:00:00 UTC is time 0.
TEST(IntervalAltTitleTest, TellsTheTimeOfTheNextCheckAndHowLongUntilThen) {
    auto state = scheduled(5);
    state.lastStop = 0;
    EXPECT_EQ(intervalAltTitle(state, 30, QTimeZone::utc()), "Next at 00:05:00 in 4 min, 30 sec");
    EXPECT_EQ(intervalAltTitle(state, 30, QTimeZone(3600)), "Next at 01:05:00 in 4 min, 30 sec");
    EXPECT_EQ(intervalAltTitle(state, 299.4, QTimeZone::utc()), "Next at 00:05:00 in 1 sec")
        << "the clock time is not rounded up, the duration is rounded";

    state.scheduleInterval = 1.5;
    state.lastStop = 86'400 - 30;
    EXPECT_EQ(intervalAltTitle(state, 86'400, QTimeZone::utc()), "Next at 00:01:00 in 1 min")
        << "fractional minutes count as they are";
}

TEST(IntervalAltTitleTest, SaysRunningWhileACheckIsUnderWay) {
    auto state = scheduled(1);
    state.lastStop = 0;
    state.isSessionRunning = true;
    EXPECT_EQ(intervalAltTitle(state, 100, QTimeZone::utc()), "Running...");
}

TEST(IntervalAltTitleTest, IsTheIntervalTitleUnlessScheduledMonitoringRunsAfterAStop) {
    auto noStopYet = scheduled(1);
    auto paused = scheduled(5, false);
    paused.lastStop = 0;
    IntervalState live{.mode = MonitorMode::live, .isRunning = true, .lastStop = 0, .isSessionRunning = false};
    IntervalState manual{.mode = MonitorMode::manual, .isRunning = true, .lastStop = 0};
    for (const auto& state : {noStopYet, paused, live, manual}) {
        EXPECT_EQ(intervalAltTitle(state, 30, QTimeZone::utc()), intervalTitle(state));
    }
}

TEST(ShortDurationTextTest, UsesHoursMinutesAndSecondsLeavingZeroPartsOut) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {270, "4 min, 30 sec"}, {3600, "1 hr"},   {3661, "1 hr, 1 min, 1 sec"}, {3630, "1 hr, 30 sec"},
        {0, "0 sec"},           {59.6, "1 min"},  {0.4, "0 sec"},             {-5, "-5 sec"},
        {90'000, "25 hr"},
    };
    for (const auto& [seconds, text] : cases) EXPECT_EQ(shortDurationText(seconds), text) << seconds;
}

TEST(ShortDurationTextTest, GivesNothingForADurationThatIsNotFinite) {
    EXPECT_EQ(shortDurationText(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(shortDurationText(std::numeric_limits<double>::infinity()), std::nullopt);
}

}  // namespace
}  // namespace spinewise::testing
