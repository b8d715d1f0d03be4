#include "foundation/SerialQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <pthread.h>
#include <string>
#include <thread>
#include <vector>

namespace spinewise {
namespace {

using Monotonic = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

TEST(SerialQueue, RunsTasksOneByOneInSubmissionOrderOnItsNamedThread) {
    SerialQueue queue("com.brightfold.video-output-queue");
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    for (int i = 0; i < 100; ++i)
        queue.async([&, i] {
            order.push_back(i);
            threads.push_back(std::this_thread::get_id());
        });

    std::string threadName;
    bool currentInside = false;
    queue.sync([&] {
        char name[16] = {};
        pthread_getname_np(pthread_self(), name, sizeof name);
        threadName = name;
        currentInside = queue.isCurrent();
    });

    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_NE(threads.front(), std::this_thread::get_id());
    for (const auto& thread : threads) EXPECT_EQ(thread, threads.front());
    EXPECT_EQ(threadName, "com.brightfold.");
    EXPECT_TRUE(currentInside);
    EXPECT_FALSE(queue.isCurrent());
}

TEST(SerialQueue, DelayedTasksRunInDeadlineOrderNoEarlierThanTheirDelay) {
    SerialQueue queue("test.delays");
    struct Run {
        std::string name;
        double after;
    };
    std::vector<Run> runs;
    std::promise<void> done;
    const auto begin = Monotonic::now();
    const auto record = [&](std::string name) {
        return [&, name] { runs.push_back({name, Seconds(Monotonic::now() - begin).count()}); };
    };
    queue.asyncAfter(0.06, [&] {
        record("late")();
        done.set_value();
    });
    queue.asyncAfter(0.02, record("early"));
    queue.async(record("now"));

    done.get_future().wait();

    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].name, "now");
    EXPECT_EQ(runs[1].name, "early");
    EXPECT_GE(runs[1].after, 0.02);
    EXPECT_EQ(runs[2].name, "late");
    EXPECT_GE(runs[2].after, 0.06);
}

TEST(SerialQueue, CancelledDelayedTaskDoesNotRun) {
    SerialQueue queue("test.cancel");
    std::atomic<bool> cancelledRan = false;
    const auto handle = queue.asyncAfter(0.01, [&] { cancelledRan = true; });
    handle.cancel();
    std::promise<void> later;
    queue.asyncAfter(0.03, [&] { later.set_value(); });

    later.get_future().wait();

    EXPECT_FALSE(cancelledRan);
}

TEST(SerialQueue, DestructionRunsTheTasksAlreadyDueAndDropsDelayedOnes) {
    std::vector<std::string> runs;
    bool delayedRan = false;
    std::promise<void> release;
    {
        SerialQueue queue("test.shutdown");
        queue.async([&] { release.get_future().wait(); });  // holds the queue while more work arrives
        queue.async([&] { runs.push_back("first"); });
        queue.async([&] { runs.push_back("second"); });
        queue.asyncAfter(3600, [&] { delayedRan = true; });
        release.set_value();
    }
    EXPECT_EQ(runs, (std::vector<std::string>{"first", "second"}));
    EXPECT_FALSE(delayedRan);
}

TEST(SerialQueueDeathTest, SyncOnItsOwnThreadStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            SerialQueue queue("test.self-sync");
            queue.sync([&] { queue.sync([] {}); });
        },
        "Fatal error: SerialQueue \"test.self-sync\": sync called on its own thread");
}

}  // namespace
}  // namespace spinewise
