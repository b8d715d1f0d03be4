// Scheduled mode: bursts that end on a lasting correct or unknown posture,
// standbys of whole minutes, stopping in either step, and the full cycle.
#include "MonitorTestSupport.hpp"

#include "foundation/SerialQueue.hpp"
#include "monitoring/ScheduleController.hpp"

#include <ostream>

namespace spinewise::testing {
namespace {

using State = Posture::State;

class ScheduleControllerTest : public MonitorTest {
protected:
    ScheduleControllerTest() { attach(controller); }

    /// Runs a burst from now on a posture that is correct from the start; it ends 6 seconds later.
    void runCorrectBurst() {
        setPosture(State::correct, main.clock().now());
        main.advance(6);
    }

    ScheduleController controller{environment(), main};  // the steps start on the main queue
};

struct BurstEnding {
    State state;
    TimeInterval postureStart;
    TimeInterval endsAt;
    std::string line;
};

void PrintTo(const BurstEnding& ending, std::ostream* out) {
    *out << toString(ending.state) << " since " << ending.postureStart;
}

class BurstEndingTest : public ScheduleControllerTest, public ::testing::WithParamInterface<BurstEnding> {};

TEST_P(BurstEndingTest, ConfirmsThenWritesTheLineThenStopsWatchingAndTicksNoMore) {
    const auto& [state, postureStart, endsAt, line] = GetParam();
    setPosture(state, postureStart);
    controller.start();
    main.advance(endsAt + 59.5);  // the standby's minute has not run out yet

    const auto at = decimal(endsAt) + " ";
    EXPECT_EQ(transcript.lines,
              (Lines{"0 start", at + "confirm " + std::string(toString(state)), at + "log " + line, at + "stop"}));
    EXPECT_EQ(datasource->askTimes.back(), endsAt);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, BurstEndingTest,
    ::testing::Values(BurstEnding{State::correct, 0, 6, "Stop monitoring due to correct posture. 6.0s"},
                      BurstEnding{State::correct, -0.25, 5, "Stop monitoring due to correct posture. 5.25s"},
                      BurstEnding{State::unknown, 0, 11, "Stop monitoring due to unknown posture duration. 11.0s"}));

TEST_F(ScheduleControllerTest, StandbyLastsTheIntervalTruncatedToWholeMinutes) {
    const std::pair<double, TimeInterval> cases[] = {{1, 60}, {1.5, 60}, {2.5, 120}, {5, 300}};
    for (const auto& [interval, wait] : cases) {
        SCOPED_TRACE(interval);
        preferences->setScheduleInterval(interval);
        controller.start();
        runCorrectBurst();
        const TimeInterval standbyBegan = main.clock().now();
        transcript.lines.clear();

        main.advance(wait - 0.5);
        EXPECT_TRUE(transcript.lines.empty());
        main.advance(0.5);
        EXPECT_EQ(transcript.lines, Lines{decimal(standbyBegan + wait) + " start"});
        controller.stop();
    }
}

TEST_F(ScheduleControllerTest, IntervalChangedDuringAStandbyAppliesFromTheNextStandby) {
    controller.start();
    runCorrectBurst();
    preferences->setScheduleInterval(3);
    main.advance(60);
    runCorrectBurst();
    main.advance(180);

    EXPECT_EQ(transcript.linesWith("start"), (Lines{"0 start", "66 start", "252 start"}));
}

TEST_F(ScheduleControllerTest, StopDuringAStandbyTellsOnceAndTheOldWaitEndsInNothing) {
    controller.start();
    runCorrectBurst();
    main.advance(24);
    controller.stop();
    main.advance(600);

    EXPECT_EQ(transcript.linesWith("stop"), (Lines{"6 stop", "30 stop"}));
    EXPECT_EQ(transcript.linesWith("start"), Lines{"0 start"});
    EXPECT_EQ(main.pendingTaskCount(), 0u);
}

TEST_F(ScheduleControllerTest, StopDuringABurstEndsItsConfirmationsAndItsTicks) {
    setPosture(State::poor, 0);
    controller.start();
    main.advance(4.5);
    controller.stop();
    setPosture(State::correct, 0);  // would end the burst, were it still ticking
    main.advance(600);

    EXPECT_EQ(transcript.lines, (Lines{"0 start", "3 confirm poor", "4 confirm poor", "4.5 stop"}));
    EXPECT_EQ(datasource->askTimes.back(), 4);
    EXPECT_EQ(main.pendingTaskCount(), 0u);
}

TEST_F(ScheduleControllerTest, StopBeforeTheBurstBeganLeavesNothingBehind) {
    setPosture(State::poor, 0);
    controller.start();
    controller.stop();
    main.advance(600);

    EXPECT_EQ(transcript.lines, (Lines{"0 start", "0 stop"}));
    EXPECT_TRUE(datasource->askTimes.empty());
    EXPECT_EQ(main.pendingTaskCount(), 0u);
}

TEST_F(ScheduleControllerTest, CycleOfSeveralMinutesWatchesDuringBurstsOnly) {
    preferences->setScheduleInterval(2);
    setPosture(State::poor, 0);
    controller.start();
    main.advance(5.5);
    setPosture(State::correct, 5.5);  // sits up
    main.advance(125.5);              // the next burst begins at 131
    datasource->posture.reset();      // the camera has not classified a frame yet
    main.advance(2);
    setPosture(State::unknown, 133);  // nobody in front of the camera
    main.advance(131);                // the next burst begins at 264
    setPosture(State::correct, 264);
    main.advance(36);
    controller.stop();
    main.advance(300);

    EXPECT_EQ(transcript.lines, (Lines{
                                    "0 start",
                                    "3 confirm poor",
                                    "4 confirm poor",
                                    "5 confirm poor",
                                    "11 confirm correct",
                                    "11 log Stop monitoring due to correct posture. 5.5s",
                                    "11 stop",
                                    "131 start",
                                    "144 confirm unknown",
                                    "144 log Stop monitoring due to unknown posture duration. 11.0s",
                                    "144 stop",
                                    "264 start",
                                    "270 confirm correct",
                                    "270 log Stop monitoring due to correct posture. 6.0s",
                                    "270 stop",
                                    "300 stop",
                                }));
    EXPECT_EQ(datasource->askTimes.size(), 11u + 13u + 6u);
}

TEST_F(ScheduleControllerTest, BurstsAskAndConfirmAsThemselvesWhileTheControllerTellsWhenToWatch) {
    controller.start();
    runCorrectBurst();

    ASSERT_EQ(delegate->senders.size(), 3u);  // start, confirm, stop
    const Monitor* burst = delegate->senders[1];
    EXPECT_EQ(delegate->senders, (std::vector<const Monitor*>{&controller, burst, &controller}));
    EXPECT_NE(burst, &controller);
    EXPECT_EQ(delegate->senderDescriptions[1], "Scheduled");
    EXPECT_EQ(datasource->askers, std::vector<const Monitor*>(6, burst));
}

TEST_F(ScheduleControllerTest, DatasourceAndDelegateSetDuringABurstServeFromTheNextBurstOn) {
    controller.start();
    Transcript otherTranscript{main.clock()};
    const auto otherDelegate = std::make_shared<RecordingDelegate>(otherTranscript);
    const auto otherDatasource = std::make_shared<ScriptedDatasource>(main.clock());
    otherDatasource->posture = Posture{State::correct, 66, {}};
    controller.setDelegate(otherDelegate);
    controller.setDatasource(otherDatasource);
    runCorrectBurst();
    main.advance(66);

    EXPECT_EQ(transcript.linesWith("confirm"), Lines{"6 confirm correct"});
    EXPECT_EQ(otherTranscript.lines, (Lines{"6 stop", "66 start", "72 confirm correct", "72 stop"}));
    EXPECT_EQ(otherDatasource->askTimes.front(), 67);
}

TEST_F(ScheduleControllerTest, StepsStartedOnAQueueOfTheirOwnRunTheSameCycle) {
    SerialQueue stepQueue("schedule-steps");
    ScheduleController threaded(environment(), stepQueue);
    attach(threaded);
    const auto stepsStarted = [&stepQueue] { stepQueue.sync([] {}); };

    setPosture(State::correct, 0);
    threaded.start();
    stepsStarted();
    main.advance(6);  // the burst ends; the standby starts on the step queue
    stepsStarted();
    main.advance(60);  // the standby ends; the next burst starts on the step queue
    stepsStarted();
    setPosture(State::unknown, 66);
    main.advance(11);
    stepsStarted();
    main.advance(30);
    threaded.stop();
    stepsStarted();
    main.advance(120);

    EXPECT_EQ(transcript.lines, (Lines{
                                    "0 start",
                                    "6 confirm correct",
                                    "6 log Stop monitoring due to correct posture. 6.0s",
                                    "6 stop",
                                    "66 start",
                                    "77 confirm unknown",
                                    "77 log Stop monitoring due to unknown posture duration. 11.0s",
                                    "77 stop",
                                    "107 stop",
                                }));
    EXPECT_EQ(main.pendingTaskCount(), 0u);
}

}  // namespace
}  // namespace spinewise::testing
