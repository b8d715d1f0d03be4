#include "foundation/RunLoopQueue.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace spinewise {
namespace {

TEST(RunLoopQueue, RunServesTasksFromOtherThreadsOnTheCallingThreadUntilStop) {
    RunLoopQueue queue;
    std::vector<std::string> runs;
    bool currentInTasks = true;
    bool currentElsewhere = true;
    std::thread producer([&] {
        currentElsewhere = queue.isCurrent();
        queue.asyncAfter(0.02, [&] {
            runs.push_back("delayed");
            queue.stop();
        });
        queue.async([&] {
            runs.push_back("first");
            currentInTasks = currentInTasks && queue.isCurrent();
        });
        queue.async([&] { runs.push_back("second"); });
    });

    queue.run();
    producer.join();

    EXPECT_EQ(runs, (std::vector<std::string>{"first", "second", "delayed"}));
    EXPECT_TRUE(currentInTasks);
    EXPECT_FALSE(currentElsewhere);
}

TEST(RunLoopQueue, StopEndsRunAfterTheTaskInProgressAndKeepsTheRest) {
    RunLoopQueue queue;
    std::vector<std::string> runs;
    queue.async([&] {
        runs.push_back("stopping");
        queue.stop();
    });
    queue.async([&] {
        runs.push_back("next run");
        queue.stop();
    });

    queue.run();
    EXPECT_EQ(runs, std::vector<std::string>{"stopping"});
    queue.run();
    EXPECT_EQ(runs, (std::vector<std::string>{"stopping", "next run"}));
}

TEST(RunLoopQueue, CountsAsCurrentOnItsCreatingThreadBeforeRun) {
    RunLoopQueue queue;
    bool currentElsewhere = true;
    std::thread([&] { currentElsewhere = queue.isCurrent(); }).join();
    EXPECT_TRUE(queue.isCurrent());
    EXPECT_FALSE(currentElsewhere);
}

}  // namespace
}  // namespace spinewise
