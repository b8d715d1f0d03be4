// The scheduled mode's steps on their own: a burst held outside any queue,
// and a standby on an operation queue of the main queue.
#include "MonitorTestSupport.hpp"

#include "foundation/OperationQueue.hpp"
#include "monitoring/Monitoring.hpp"
#include "monitoring/StandingBy.hpp"

namespace spinewise::testing {
namespace {

using State = Posture::State;

class ScheduleStepTest : public MonitorTest {
protected:
    /// Writes the step's flag changes into the transcript as they complete,
    /// for as long as the step and the returned observations live.
    [[nodiscard]] std::vector<ObservationToken> watchFlags(Operation& step) {
        std::vector<ObservationToken> observations;
        for (const std::string key : {"isExecuting", "isFinished"})
            observations.push_back(step.observe(key, [this, &step, key] {
                transcript.add(key + "=" + ((key == "isExecuting" ? step.isExecuting() : step.isFinished()) ? "1" : "0"));
            }));
        return observations;
    }

    std::shared_ptr<Monitoring> makeBurst() { return std::make_shared<Monitoring>(environment(), datasource, delegate); }
};

TEST_F(ScheduleStepTest, FinishedBurstTicksNoMore) {
    const auto burst = makeBurst();
    const auto watching = watchFlags(*burst);
    setPosture(State::correct, 0);
    burst->start();
    main.advance(20);

    EXPECT_EQ(transcript.lines, (Lines{"0 isExecuting=1", "6 confirm correct",
                                       "6 log Stop monitoring due to correct posture. 6.0s", "6 isExecuting=0",
                                       "6 isFinished=1"}));
    EXPECT_EQ(datasource->askTimes.back(), 6);
}

TEST_F(ScheduleStepTest, BurstStoppedAsAMonitorHoldsItsTicksBackWithoutFinishing) {
    const auto burst = makeBurst();
    setPosture(State::poor, 0);
    burst->start();
    main.advance(3.5);
    burst->stop();
    main.advance(10);

    EXPECT_EQ(transcript.lines, Lines{"3 confirm poor"});
    EXPECT_TRUE(burst->isExecuting());
    EXPECT_FALSE(burst->isFinished());
}

TEST_F(ScheduleStepTest, StandbyFinishesWhenItsWaitRunsOutEvenIfCancelledMeanwhile) {
    OperationQueue steps{main};
    const auto standby = std::make_shared<StandingBy>(main, 1.5);
    const auto watching = watchFlags(*standby);
    steps.addOperation(standby);
    main.advance(30);
    standby->cancel();
    main.advance(30);

    EXPECT_EQ(transcript.lines, (Lines{"0 isExecuting=1", "60 isExecuting=0", "60 isFinished=1"}));
    EXPECT_EQ(steps.operationCount(), 0u);
}

TEST_F(ScheduleStepTest, StepCancelledBeforeItStartsFinishesWithoutBeginning) {
    OperationQueue steps{main};
    const auto standby = std::make_shared<StandingBy>(main, 1);
    const auto burst = makeBurst();
    steps.addOperation(standby);
    steps.addOperation(burst);
    steps.cancelAllOperations();
    main.advance(120);

    EXPECT_TRUE(standby->isFinished());
    EXPECT_TRUE(burst->isFinished());
    EXPECT_EQ(steps.operationCount(), 0u);
    EXPECT_EQ(main.pendingTaskCount(), 0u);  // no timer was made
    EXPECT_TRUE(datasource->askTimes.empty());
}

}  // namespace
}  // namespace spinewise::testing
