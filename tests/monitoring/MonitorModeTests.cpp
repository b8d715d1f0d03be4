// The contract all three modes share: the one-second posture test, the
// strict thresholds, and start/stop with the delegate's watching calls.
#include "MonitorTestSupport.hpp"

#include "monitoring/LiveController.hpp"
#include "monitoring/ManualController.hpp"
#include "monitoring/ScheduleController.hpp"

#include <type_traits>

namespace spinewise::testing {
namespace {

using State = Posture::State;

template <class Mode>
class MonitorModeTest : public MonitorTest {
protected:
    std::unique_ptr<Mode> makeMode() {
        if constexpr (std::is_same_v<Mode, ScheduleController>)
            return std::make_unique<Mode>(environment(), main);  // the steps start on the main queue
        else
            return std::make_unique<Mode>(environment());
    }

    std::unique_ptr<Mode> makeAttachedMode() {
        auto mode = makeMode();
        attach(*mode);
        return mode;
    }
};

using Modes = ::testing::Types<LiveController, ManualController, ScheduleController>;
TYPED_TEST_SUITE(MonitorModeTest, Modes);

TYPED_TEST(MonitorModeTest, PostureIsConfirmedOnlyOnceItHasLastedStrictlyLongerThanItsThreshold) {
    struct Case {
        State state;
        void (Preferences::*setThreshold)(double);
        double threshold;
    };
    const Case cases[] = {
        {State::poor, &Preferences::setPoorPostureTime, 3},
        {State::correct, &Preferences::setCorrectPostureTime, 4},
        {State::unknown, &Preferences::setUnknownPostureTime, 7},
    };
    for (const auto& [state, setThreshold, threshold] : cases) {
        SCOPED_TRACE(std::string(toString(state)));
        ((*this->preferences).*setThreshold)(threshold);
        const TimeInterval began = this->main.clock().now();
        this->transcript.lines.clear();
        auto mode = this->makeAttachedMode();
        this->setPosture(state, began);
        mode->start();

        this->main.advance(threshold);  // the last tick finds the posture exactly as old as the threshold
        EXPECT_TRUE(this->transcript.linesWith("confirm").empty());
        this->main.advance(1);
        EXPECT_EQ(this->transcript.linesWith("confirm"),
                  Lines{decimal(began + threshold + 1) + " confirm " + std::string(toString(state))});
        mode->stop();
    }
}

TYPED_TEST(MonitorModeTest, ThresholdsAreReadAgainOnEveryTick) {
    auto mode = this->makeAttachedMode();
    this->setPosture(State::poor, 0);
    mode->start();
    this->main.advance(2);
    this->preferences->setPoorPostureTime(5);
    this->main.advance(3);
    EXPECT_TRUE(this->transcript.linesWith("confirm").empty());

    this->preferences->setPoorPostureTime(1);
    this->main.advance(1);
    EXPECT_EQ(this->transcript.linesWith("confirm"), Lines{"6 confirm poor"});
}

TYPED_TEST(MonitorModeTest, PoorPostureIsConfirmedOnEveryTickAndNeverEndsTheWatch) {
    auto mode = this->makeAttachedMode();
    this->setPosture(State::poor, 0);
    mode->start();
    this->main.advance(30);

    Lines expected{"0 start"};
    for (int second = 3; second <= 30; ++second) expected.push_back(decimal(second) + " confirm poor");
    EXPECT_EQ(this->transcript.lines, expected);
    EXPECT_EQ(this->datasource->askTimes.size(), 30u);
}

TYPED_TEST(MonitorModeTest, PostureChangeMovesTheStartSoTheNewStateWaitsForItsOwnThreshold) {
    auto mode = this->makeAttachedMode();
    this->setPosture(State::poor, 0);
    mode->start();
    this->main.advance(4.5);
    this->setPosture(State::correct, 4.5);
    this->main.advance(5.5);

    EXPECT_EQ(this->transcript.linesWith("confirm"), (Lines{"3 confirm poor", "4 confirm poor", "10 confirm correct"}));
}

TYPED_TEST(MonitorModeTest, MissingDatasourceOrPostureMakesTicksSilent) {
    auto withoutDatasource = this->makeMode();
    withoutDatasource->setDelegate(this->delegate);
    this->setPosture(State::poor, 0);
    withoutDatasource->start();
    this->main.advance(20);
    EXPECT_TRUE(this->datasource->askTimes.empty());
    withoutDatasource->stop();

    auto withoutPosture = this->makeAttachedMode();
    this->datasource->posture.reset();
    withoutPosture->start();
    this->main.advance(20);
    EXPECT_EQ(this->datasource->askTimes.size(), 20u);

    EXPECT_EQ(this->transcript.lines, (Lines{"0 start", "20 stop", "20 start"}));
}

TYPED_TEST(MonitorModeTest, WithoutDelegateTheTicksGoOnButReportNothing) {
    auto mode = this->makeMode();
    mode->setDatasource(this->datasource);
    this->setPosture(State::poor, 0);
    mode->start();
    this->main.advance(10);
    mode->stop();

    EXPECT_EQ(this->datasource->askTimes.size(), 10u);
    EXPECT_TRUE(this->transcript.lines.empty());
}

TYPED_TEST(MonitorModeTest, StopTellsTheDelegateEveryTimeEvenWhenNothingRuns) {
    auto mode = this->makeAttachedMode();
    mode->stop();
    mode->stop();
    this->main.advance(5);
    EXPECT_EQ(this->transcript.lines, (Lines{"0 stop", "0 stop"}));
}

TYPED_TEST(MonitorModeTest, RestartAfterStopTicksAgainOneSecondAfterTheNewStart) {
    auto mode = this->makeAttachedMode();
    this->setPosture(State::poor, 0);
    mode->start();
    this->main.advance(3.5);
    mode->stop();
    this->main.advance(10);
    mode->start();
    this->main.advance(2);

    EXPECT_EQ(this->transcript.lines,
              (Lines{"0 start", "3 confirm poor", "3.5 stop", "13.5 start", "14.5 confirm poor", "15.5 confirm poor"}));
}

TYPED_TEST(MonitorModeTest, StartWhileRunningKeepsOneTickASecond) {
    auto mode = this->makeAttachedMode();
    this->setPosture(State::poor, 0);
    mode->start();
    this->main.advance(0.5);
    mode->start();
    this->main.advance(3);

    EXPECT_EQ(this->transcript.lines, (Lines{"0 start", "0.5 start", "2.5 confirm poor", "3.5 confirm poor"}));
}

TEST_F(MonitorTest, EachModeDescribesItself) {
    EXPECT_EQ(LiveController(environment()).description(), "Real Time");
    EXPECT_EQ(ManualController(environment()).description(), "Manual");
    EXPECT_EQ(ScheduleController(environment(), main).description(), "Scheduled");
}

}  // namespace
}  // namespace spinewise::testing
