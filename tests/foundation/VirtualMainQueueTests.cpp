#include "foundation/VirtualMainQueue.hpp"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace spinewise {
namespace {

using TaskRun = std::pair<std::string, TimeInterval>;  // which task, and the clock while it ran

class VirtualMainQueueTest : public testing::Test {
protected:
    Task record(std::string name) {
        return [this, name = std::move(name)] { runs.emplace_back(name, queue.clock().now()); };
    }

    VirtualMainQueue queue{100};
    std::vector<TaskRun> runs;
};

TEST_F(VirtualMainQueueTest, AdvanceRunsDueTasksInDeadlineOrderFirstInFirstOutForEqualDeadlines) {
    queue.asyncAfter(3, record("c"));
    queue.async(record("a"));
    queue.asyncAfter(1, record("b1"));
    queue.asyncAfter(1, record("b2"));
    queue.asyncAfter(5, record("late"));

    queue.advance(3);
    EXPECT_EQ(runs, (std::vector<TaskRun>{{"a", 100}, {"b1", 101}, {"b2", 101}, {"c", 103}}));
    EXPECT_EQ(queue.clock().now(), 103);

    queue.advance(1.5);
    EXPECT_EQ(runs.size(), 4u);
    EXPECT_EQ(queue.clock().now(), 104.5);

    queue.advance(0.5);
    EXPECT_EQ(runs.back(), (TaskRun{"late", 105}));
}

TEST_F(VirtualMainQueueTest, TasksSubmittedWhileAdvancingRunWhenTheyFallDueWithinTheSpan) {
    queue.asyncAfter(1, [&] {
        record("first")();
        queue.async(record("now"));
        queue.asyncAfter(1, record("inside"));
        queue.asyncAfter(5, record("beyond"));
    });

    queue.advance(3);

    EXPECT_EQ(runs, (std::vector<TaskRun>{{"first", 101}, {"now", 101}, {"inside", 102}}));
    EXPECT_EQ(queue.pendingTaskCount(), 1u);
}

TEST_F(VirtualMainQueueTest, RunPendingRunsOnlyWhatIsDueNowWithoutMovingTheClock) {
    queue.asyncAfter(0.5, record("later"));
    queue.async([&] {
        record("now")();
        queue.async(record("then"));
    });

    queue.runPending();

    EXPECT_EQ(runs, (std::vector<TaskRun>{{"now", 100}, {"then", 100}}));
    EXPECT_EQ(queue.clock().now(), 100);
}

TEST_F(VirtualMainQueueTest, CancelledTaskDoesNotRun) {
    const auto handle = queue.asyncAfter(1, record("cancelled"));
    queue.asyncAfter(1, record("kept"));
    handle.cancel();

    queue.advance(1);

    EXPECT_EQ(runs, std::vector<TaskRun>{(TaskRun{"kept", 101})});
}

TEST_F(VirtualMainQueueTest, TasksFromOtherThreadsRunOnTheQueuesOwnThread) {
    bool currentElsewhere = true;
    bool currentInTask = false;
    std::thread([&] {
        currentElsewhere = queue.isCurrent();
        queue.asyncAfter(2, [&] { currentInTask = queue.isCurrent(); });
    }).join();

    queue.advance(2);

    EXPECT_FALSE(currentElsewhere);
    EXPECT_TRUE(currentInTask);
}

TEST(VirtualMainQueueDeathTest, AdvancingOffItsThreadStopsTheProgram) {
    VirtualMainQueue queue;
    EXPECT_DEATH(std::thread([&] { queue.advance(1); }).join(), "advanced off the thread that created it");
}

}  // namespace
}  // namespace spinewise
