// What sets live and manual mode apart once a correct or unknown posture has
// been confirmed: live mode goes on, a manual check ends.
#include "MonitorTestSupport.hpp"

#include "monitoring/LiveController.hpp"
#include "monitoring/ManualController.hpp"

#include <ostream>

namespace spinewise::testing {
namespace {

using State = Posture::State;

TEST_F(MonitorTest, LiveModeConfirmsALastingPostureEverySecondAndNeverStopsByItself) {
    for (const State state : {State::correct, State::unknown}) {
        SCOPED_TRACE(std::string(toString(state)));
        transcript.lines.clear();
        LiveController live(environment());
        attach(live);
        const TimeInterval began = main.clock().now();
        setPosture(state, began);
        live.start();
        main.advance(60);

        const auto threshold = state == State::correct ? preferences->correctPostureTime()
                                                       : preferences->unknownPostureTime();
        Lines expected{decimal(began) + " start"};
        for (auto second = threshold + 1; second <= 60; ++second)
            expected.push_back(decimal(began + second) + " confirm " + std::string(toString(state)));
        EXPECT_EQ(transcript.lines, expected);
        live.stop();
    }
}

struct ManualEnding {
    State state;
    TimeInterval postureStart;
    TimeInterval endsAt;
    std::string line;
};

void PrintTo(const ManualEnding& ending, std::ostream* out) {
    *out << toString(ending.state) << " since " << ending.postureStart;
}

class ManualCheckEndingTest : public MonitorTest, public ::testing::WithParamInterface<ManualEnding> {};

TEST_P(ManualCheckEndingTest, ConfirmsThenWritesTheLineThenStopsAndTicksNoMore) {
    const auto& [state, postureStart, endsAt, line] = GetParam();
    ManualController manual(environment());
    attach(manual);
    setPosture(state, postureStart);
    manual.start();
    main.advance(60);

    const auto at = decimal(endsAt) + " ";
    EXPECT_EQ(transcript.lines,
              (Lines{"0 start", at + "confirm " + std::string(toString(state)), at + "log " + line, at + "stop"}));
    EXPECT_EQ(datasource->askTimes.back(), endsAt);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ManualCheckEndingTest,
    ::testing::Values(ManualEnding{State::correct, 0, 6, "Stop manual controller due to correct posture. 6.0s"},
                      ManualEnding{State::correct, -0.5, 5, "Stop manual controller due to correct posture. 5.5s"},
                      ManualEnding{State::unknown, 0, 11,
                                   "Stop manual controller due to unknown posture duration. 11.0s"}));

TEST_F(MonitorTest, ManualCheckWithoutDelegateStillEndsWithItsLine) {
    ManualController manual(environment());
    manual.setDatasource(datasource);
    setPosture(State::correct, 0);
    manual.start();
    main.advance(30);

    EXPECT_EQ(transcript.lines, Lines{"6 log Stop manual controller due to correct posture. 6.0s"});
    EXPECT_EQ(datasource->askTimes.back(), 6);
}

TEST_F(MonitorTest, LiveAndManualModesReportAsThemselves) {
    LiveController live(environment());
    ManualController manual(environment());
    for (Monitor* mode : {static_cast<Monitor*>(&live), static_cast<Monitor*>(&manual)}) {
        delegate->senders.clear();
        datasource->askers.clear();
        setPosture(State::correct, main.clock().now());
        attach(*mode);
        mode->start();
        main.advance(6);
        mode->stop();

        EXPECT_EQ(delegate->senders, std::vector<const Monitor*>(delegate->senders.size(), mode));
        EXPECT_GE(delegate->senders.size(), 3u);
        EXPECT_EQ(datasource->askers, std::vector<const Monitor*>(6, mode));
    }
}

}  // namespace
}  // namespace spinewise::testing
