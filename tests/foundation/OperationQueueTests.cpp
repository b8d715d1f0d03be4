#include "foundation/OperationQueue.hpp"
#include "foundation/SerialQueue.hpp"
#include "foundation/VirtualMainQueue.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace spinewise {
namespace {

/// An operation that stays executing after start() until finish() is called,
/// like the delay steps built on the queue.
class LaterOperation final : public Operation {
public:
    void start() override {
        if (isCancelled()) {
            finish();
            return;
        }
        set("isExecuting", executing_, true);
    }
    void finish() {
        set("isExecuting", executing_, false);
        set("isFinished", finished_, true);
    }
    bool isExecuting() const override { return executing_; }
    bool isFinished() const override { return finished_; }

private:
    void set(const char* keyPath, std::atomic<bool>& flag, bool value) {
        willChangeValue(keyPath);
        flag = value;
        didChangeValue(keyPath);
    }
    std::atomic<bool> executing_ = false;
    std::atomic<bool> finished_ = false;
};

class OperationQueueTest : public testing::Test {
protected:
    std::shared_ptr<BlockOperation> recording(std::string name) {
        return std::make_shared<BlockOperation>([this, name = std::move(name)] {
            runs.push_back(name);
            onMainQueue = onMainQueue && main.isCurrent();
        });
    }

    VirtualMainQueue main;
    OperationQueue queue{main};
    std::vector<std::string> runs;
    bool onMainQueue = true;
};

TEST_F(OperationQueueTest, StartsOperationsOnTheUnderlyingQueueInAddOrderOnceTheirDependenciesFinished) {
    auto a = recording("a");
    auto b = recording("b");
    auto c = recording("c");
    a->addDependency(c);
    queue.addOperations({a, b, c}, false);
    EXPECT_TRUE(runs.empty());
    EXPECT_EQ(queue.operationCount(), 3u);

    main.runPending();

    EXPECT_EQ(runs, (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_TRUE(onMainQueue);
    EXPECT_TRUE(a->isFinished() && b->isFinished() && c->isFinished());
    EXPECT_EQ(queue.operationCount(), 0u);
}

TEST_F(OperationQueueTest, DependentWaitsForAnOperationThatFinishesLater) {
    auto delay = std::make_shared<LaterOperation>();
    auto work = recording("work");
    work->addDependency(delay);
    queue.addOperations({delay, work}, false);
    main.runPending();
    EXPECT_TRUE(delay->isExecuting());
    EXPECT_TRUE(runs.empty());

    main.asyncAfter(5, [&] { delay->finish(); });
    main.advance(5);

    EXPECT_EQ(runs, std::vector<std::string>{"work"});
    EXPECT_EQ(queue.operationCount(), 0u);
}

TEST_F(OperationQueueTest, DependencyOnAnotherQueuesOperationIsHonoured) {
    OperationQueue other{main};
    auto first = std::make_shared<LaterOperation>();
    auto second = recording("second");
    second->addDependency(first);
    other.addOperation(first);
    queue.addOperation(second);
    main.runPending();
    EXPECT_TRUE(runs.empty());

    first->finish();
    main.runPending();

    EXPECT_EQ(runs, std::vector<std::string>{"second"});
}

TEST_F(OperationQueueTest, OperationExecutesWhileItsWorkRuns) {
    std::shared_ptr<BlockOperation> operation;
    bool executingInside = false;
    operation = std::make_shared<BlockOperation>([&] { executingInside = operation->isExecuting(); });
    queue.addOperation(operation);
    main.runPending();
    EXPECT_TRUE(executingInside);
    EXPECT_FALSE(operation->isExecuting());
    EXPECT_TRUE(operation->isFinished());
}

TEST_F(OperationQueueTest, CancelAllFinishesPendingOperationsAndTheirDependentsWithoutTheirWork) {
    auto running = std::make_shared<LaterOperation>();
    auto dependent = recording("dependent");
    dependent->addDependency(running);
    auto waiting = recording("waiting");
    queue.addOperation(running);
    main.runPending();
    queue.addOperations({dependent, waiting}, false);

    queue.cancelAllOperations();
    main.runPending();

    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(dependent->isCancelled() && dependent->isFinished());
    EXPECT_TRUE(waiting->isCancelled() && waiting->isFinished());
    EXPECT_TRUE(running->isCancelled() && running->isExecuting());
    EXPECT_EQ(queue.operationCount(), 1u);  // the running one ends in its own time

    running->finish();
    EXPECT_EQ(queue.operationCount(), 0u);
}

TEST_F(OperationQueueTest, CancellingOneOperationMakesItReadyAtOnce) {
    auto never = std::make_shared<LaterOperation>();
    auto dependent = recording("dependent");
    dependent->addDependency(never);
    queue.addOperation(dependent);
    main.runPending();

    dependent->cancel();
    main.runPending();

    EXPECT_TRUE(dependent->isFinished());
    EXPECT_TRUE(runs.empty());
    EXPECT_EQ(queue.operationCount(), 0u);
}

TEST(OperationQueue, AddAndWaitReturnsOnceEveryOperationFinishedOnTheUnderlyingQueue) {
    SerialQueue serial("test.operations");
    OperationQueue queue{serial};
    std::vector<std::string> runs;
    bool onSerialQueue = true;
    const auto recording = [&](std::string name) {
        return std::make_shared<BlockOperation>([&, name] {
            runs.push_back(name);
            onSerialQueue = onSerialQueue && serial.isCurrent();
        });
    };
    auto first = recording("first");
    auto second = recording("second");
    second->addDependency(first);
    auto cancelled = recording("cancelled");
    cancelled->cancel();

    queue.addOperations({second, cancelled, first}, true);

    EXPECT_EQ(runs, (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(onSerialQueue);
    EXPECT_TRUE(cancelled->isFinished());
}

TEST(OperationQueue, WaiterReturnsWhenItsOperationsAreCancelledBeforeTheyStart) {
    VirtualMainQueue main;
    OperationQueue queue{main};
    auto never = std::make_shared<LaterOperation>();
    bool workRan = false;
    auto work = std::make_shared<BlockOperation>([&] { workRan = true; });
    work->addDependency(never);
    std::thread waiter([&] { queue.addOperations({work}, true); });
    while (queue.operationCount() == 0) std::this_thread::yield();

    queue.cancelAllOperations();
    main.runPending();
    waiter.join();

    EXPECT_FALSE(workRan);
    EXPECT_TRUE(work->isFinished());
}

TEST(OperationQueueDeathTest, WaitingOnTheThreadThatRunsTheOperationsStopsTheProgram) {
    VirtualMainQueue main;
    OperationQueue queue{main};
    EXPECT_DEATH(queue.addOperations({std::make_shared<BlockOperation>([] {})}, true),
                 "Fatal error: OperationQueue: waiting for operations on the thread that runs them");
}

}  // namespace
}  // namespace spinewise
