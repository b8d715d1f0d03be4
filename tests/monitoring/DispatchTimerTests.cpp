#include "monitoring/DispatchTimer.hpp"

#include "foundation/OperationQueue.hpp"
#include "foundation/SerialQueue.hpp"
#include "foundation/VirtualMainQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace spinewise {
namespace {

using Times = std::vector<TimeInterval>;

class DispatchTimerTest : public testing::Test {
protected:
    std::unique_ptr<DispatchTimer> makeTimer(TimeInterval interval, bool repeats) {
        return std::make_unique<DispatchTimer>(interval, repeats, main, [this] { firings.push_back(main.clock().now()); });
    }

    VirtualMainQueue main;
    Times firings;
};

TEST_F(DispatchTimerTest, RepeatingTimerStartedAtCreationFiresEveryIntervalFromThen) {
    auto timer = makeTimer(1, true);
    timer->start();
    main.advance(3.5);
    EXPECT_EQ(firings, (Times{1, 2, 3}));
}

TEST_F(DispatchTimerTest, FirstDeadlineCountsFromCreationNotFromStart) {
    auto timer = makeTimer(1, true);
    main.advance(0.5);
    timer->start();
    main.advance(1.75);
    EXPECT_EQ(firings, (Times{1, 2}));
}

TEST_F(DispatchTimerTest, StopWithholdsFiringsAndStartDeliversOneHeldFiringPromptlyKeepingTheGrid) {
    auto timer = makeTimer(1, true);
    timer->start();
    main.advance(1.5);
    timer->stop();
    main.advance(3);  // deadlines 2, 3 and 4 pass while stopped
    EXPECT_EQ(firings, (Times{1}));

    timer->start();
    main.runPending();
    main.advance(1);

    EXPECT_EQ(firings, (Times{1, 4.5, 5}));
}

TEST_F(DispatchTimerTest, RestartBeforeTheNextDeadlineDeliversNothingEarly) {
    auto timer = makeTimer(1, true);
    timer->start();
    main.advance(1.25);
    timer->stop();
    timer->start();
    main.advance(1);
    EXPECT_EQ(firings, (Times{1, 2}));
}

TEST_F(DispatchTimerTest, RepeatedStartsAndStopsDoNotUnbalanceTheTimer) {
    auto timer = makeTimer(1, true);
    timer->start();
    timer->start();
    main.advance(2);
    EXPECT_EQ(firings, (Times{1, 2}));
    EXPECT_TRUE(timer->isRunning());

    timer->stop();
    timer->stop();
    EXPECT_FALSE(timer->isRunning());
    timer->start();  // one start resumes after any number of stops
    main.advance(1);
    EXPECT_EQ(firings, (Times{1, 2, 3}));
}

TEST_F(DispatchTimerTest, OneShotTimerFiresOnceInItsLifeHoweverOftenStarted) {
    auto timer = makeTimer(60, false);
    timer->start();
    main.advance(59.5);
    EXPECT_TRUE(firings.empty());
    main.advance(0.5);
    EXPECT_EQ(firings, (Times{60}));
    EXPECT_TRUE(timer->isRunning());

    timer->stop();
    timer->start();
    main.advance(300);
    EXPECT_EQ(firings, (Times{60}));
}

TEST_F(DispatchTimerTest, OneShotTimerOfZeroSecondsFiresAtOnce) {
    auto timer = makeTimer(0, false);
    timer->start();
    main.runPending();
    EXPECT_EQ(firings, (Times{0}));
}

TEST_F(DispatchTimerTest, TimerNeverStartedNeverFires) {
    makeTimer(1, true).reset();
    auto kept = makeTimer(1, true);
    main.advance(10);
    EXPECT_TRUE(firings.empty());
}

TEST_F(DispatchTimerTest, DestroyedTimerNeverReachesItsBlockEvenWithAFiringQueued) {
    std::unique_ptr<DispatchTimer> victim = makeTimer(1, true);
    DispatchTimer killer(1, true, main, [&] { victim.reset(); });  // due at the same moment, queued first
    killer.start();
    victim->start();

    main.advance(5);

    EXPECT_EQ(victim, nullptr);
    EXPECT_TRUE(firings.empty());
}

TEST_F(DispatchTimerTest, TimerDestroyedInsideItsOwnBlockFiresNoMore) {
    std::unique_ptr<DispatchTimer> timer;
    int calls = 0;
    timer = std::make_unique<DispatchTimer>(1, true, main, [&, captured = std::make_shared<int>(7)] {
        ++calls;
        timer.reset();
        EXPECT_EQ(*captured, 7);  // the block's captures outlive the timer until the block returns
    });
    timer->start();
    main.advance(5);
    EXPECT_EQ(calls, 1);
}

TEST_F(DispatchTimerTest, TenMinutesOfScheduledChecksRunExactly) {
    // Bursts of six one-second ticks separated by one-minute waits, each step
    // started from an operation queue and timed on the main queue.
    OperationQueue steps{main};
    std::unique_ptr<DispatchTimer> timer;
    Times tickTimes;
    Times burstStarts;
    std::function<void()> startBurst;
    const auto startStandby = [&] {
        steps.addOperation(std::make_shared<BlockOperation>([&] {
            timer = std::make_unique<DispatchTimer>(60, false, main, [&] { startBurst(); });
            timer->start();
        }));
    };
    startBurst = [&] {
        steps.addOperation(std::make_shared<BlockOperation>([&] {
            burstStarts.push_back(main.clock().now());
            timer = std::make_unique<DispatchTimer>(1, true, main, [&] {
                tickTimes.push_back(main.clock().now());
                if (main.clock().now() - burstStarts.back() == 6) startStandby();
            });
            timer->start();
        }));
    };

    startBurst();
    main.advance(600);

    Times expectedStarts;
    Times expectedTicks;
    for (TimeInterval start = 0; start < 600; start += 66) {
        expectedStarts.push_back(start);
        for (int tick = 1; tick <= 6; ++tick) expectedTicks.push_back(start + tick);
    }
    EXPECT_EQ(burstStarts, expectedStarts);
    EXPECT_EQ(tickTimes, expectedTicks);
    EXPECT_EQ(main.clock().now(), 600);
}

TEST(DispatchTimer, DestroyedOnAnotherThreadWaitsForTheBlockInProgress) {
    SerialQueue queue("test.timer");
    std::promise<void> entered;
    std::promise<void> release;
    std::atomic<bool> blockReturned = false;
    auto timer = std::make_unique<DispatchTimer>(0.001, false, queue, [&] {
        entered.set_value();
        release.get_future().wait();
        blockReturned = true;
    });
    timer->start();
    entered.get_future().wait();

    auto destroyed = std::async(std::launch::async, [&] {
        timer.reset();
        return blockReturned.load();
    });
    EXPECT_EQ(destroyed.wait_for(std::chrono::milliseconds(20)), std::future_status::timeout);
    release.set_value();

    EXPECT_TRUE(destroyed.get());
}

TEST(DispatchTimerDeathTest, RepeatingTimerWithoutAPositiveIntervalStopsTheProgram) {
    VirtualMainQueue main;
    EXPECT_DEATH(DispatchTimer(0, true, main, [] {}), "Fatal error: DispatchTimer: a repeating timer needs a positive interval");
}

}  // namespace
}  // namespace spinewise
