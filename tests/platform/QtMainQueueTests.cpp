#include "platform/QtMainQueue.hpp"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;

constexpr int kPatienceMs = 5000;

/// Names of the tasks that ran, in order; tasks may record from any thread.
class RunLog {
public:
    void add(std::string name) {
        const std::lock_guard lock(mutex_);
        names_.push_back(std::move(name));
    }
    std::vector<std::string> names() const {
        const std::lock_guard lock(mutex_);
        return names_;
    }
    /// Runs the event loop until `count` tasks have run.
    bool waitFor(std::size_t count) const {
        return QTest::qWaitFor([&] { return names().size() >= count; }, kPatienceMs);
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> names_;
};

TEST(QtMainQueue, IsCurrentOnlyOnTheThreadThatCreatedIt) {
    QtMainQueue queue;
    EXPECT_TRUE(queue.isCurrent());
    bool currentElsewhere = true;
    std::thread([&] { currentElsewhere = queue.isCurrent(); }).join();
    EXPECT_FALSE(currentElsewhere);
}

TEST(QtMainQueue, RunsTasksFromEveryThreadOnItsOwnThreadInSubmissionOrder) {
    QtMainQueue queue;
    RunLog log;
    std::atomic<int> offThread{0};
    auto submit = [&](const std::string& prefix) {
        for (int index = 0; index < 50; ++index) {
            queue.async([&, name = prefix + std::to_string(index)] {
                if (!queue.isCurrent() || QThread::currentThread() != qApp->thread()) ++offThread;
                log.add(name);
            });
        }
    };
    std::thread worker(submit, "worker-");
    submit("main-");
    worker.join();

    ASSERT_TRUE(log.waitFor(100));
    EXPECT_EQ(offThread.load(), 0);
    // Each thread's tasks keep their order, whatever the interleaving.
    for (const std::string prefix : {"main-", "worker-"}) {
        std::vector<std::string> ofThread;
        for (const auto& name : log.names()) {
            if (name.starts_with(prefix)) ofThread.push_back(name);
        }
        ASSERT_EQ(ofThread.size(), 50U);
        for (int index = 0; index < 50; ++index) EXPECT_EQ(ofThread[index], prefix + std::to_string(index));
    }
}

TEST(QtMainQueue, DelayedTasksRunByDeadlineAndInSubmissionOrderAmongEqualDelays) {
    QtMainQueue queue;
    RunLog log;
    queue.asyncAfter(0.030, [&] { log.add("late"); });
    queue.asyncAfter(0.010, [&] { log.add("early-1"); });
    queue.asyncAfter(0.010, [&] { log.add("early-2"); });
    queue.asyncAfter(0.010, [&] { log.add("early-3"); });
    queue.asyncAfter(0.020, [&] { log.add("middle"); });

    ASSERT_TRUE(log.waitFor(5));
    EXPECT_THAT(log.names(), ElementsAre("early-1", "early-2", "early-3", "middle", "late"));
}

TEST(QtMainQueue, ZeroNegativeAndNanDelaysKeepTheirPlaceAmongImmediateTasks) {
    QtMainQueue queue;
    RunLog log;
    queue.asyncAfter(-1, [&] { log.add("negative"); });
    queue.async([&] { log.add("async"); });
    queue.asyncAfter(0, [&] { log.add("zero"); });
    queue.asyncAfter(std::numeric_limits<double>::quiet_NaN(), [&] { log.add("nan"); });

    ASSERT_TRUE(log.waitFor(4));
    EXPECT_THAT(log.names(), ElementsAre("negative", "async", "zero", "nan"));
}

TEST(QtMainQueue, ADelayedTaskNeverRunsBeforeItsDelay) {
    QtMainQueue queue;
    std::vector<double> lateness;
    const auto submitted = std::chrono::steady_clock::now();
    for (const double delay : {0.001, 0.004, 0.012}) {
        queue.asyncAfter(delay, [&, delay] {
            const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - submitted;
            lateness.push_back(elapsed.count() - delay);
        });
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return lateness.size() == 3; }, kPatienceMs));
    for (const double late : lateness) EXPECT_GE(late, 0);
}

TEST(QtMainQueue, ACancelledTaskNeverRunsAndOthersStillDo) {
    QtMainQueue queue;
    RunLog log;
    const DelayedTask cancelled = queue.asyncAfter(0.005, [&] { log.add("cancelled"); });
    queue.asyncAfter(0.005, [&] { log.add("kept"); });
    const DelayedTask cancelledAtOnce = queue.asyncAfter(0, [&] { log.add("cancelled at once"); });
    cancelled.cancel();
    cancelledAtOnce.cancel();
    queue.asyncAfter(0.015, [&] { log.add("sentinel"); });

    ASSERT_TRUE(log.waitFor(2));
    EXPECT_THAT(log.names(), ElementsAre("kept", "sentinel"));
}

TEST(QtMainQueue, DelayedTasksFromAnotherThreadRunOnItsOwnThread) {
    QtMainQueue queue;
    std::atomic<bool> ranOnQueueThread{false};
    std::atomic<bool> ran{false};
    std::thread([&] {
        queue.asyncAfter(0.002, [&] {
            ranOnQueueThread = QThread::currentThread() == qApp->thread();
            ran = true;
        });
    }).join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran.load(); }, kPatienceMs));
    EXPECT_TRUE(ranOnQueueThread);
}

TEST(QtMainQueue, TasksStillPendingWhenTheQueueGoesNeverRun) {
    RunLog log;
    {
        QtMainQueue doomed;
        doomed.async([&] { log.add("immediate"); });
        doomed.asyncAfter(0.002, [&] { log.add("delayed"); });
    }
    QtMainQueue witness;
    witness.asyncAfter(0.010, [&] { log.add("witness"); });

    ASSERT_TRUE(log.waitFor(1));
    EXPECT_THAT(log.names(), ElementsAre("witness"));
}

TEST(QtMainQueue, TasksScheduledByRunningTasksRunAfterThem) {
    QtMainQueue queue;
    RunLog log;
    queue.asyncAfter(0.002, [&] {
        queue.asyncAfter(0.002, [&] { log.add("second delayed"); });
        queue.async([&] { log.add("second immediate"); });
        log.add("first");
    });
    ASSERT_TRUE(log.waitFor(3));
    EXPECT_THAT(log.names(), ElementsAre("first", "second immediate", "second delayed"));
}

}  // namespace
}  // namespace spinewise
