#pragma once

#include "foundation/Queue.hpp"
#include "foundation/TaskLoop.hpp"

#include <atomic>
#include <thread>

namespace spinewise {

/// A main queue for programs without an event loop: the thread that calls
/// run() serves it until stop(). It counts as the current queue on the thread
/// that created it until run() is called, and on the thread of the last run()
/// afterwards, so set-up code before run() passes main-thread checks.
class RunLoopQueue final : public Queue {
public:
    RunLoopQueue() = default;
    RunLoopQueue(const RunLoopQueue&) = delete;
    RunLoopQueue& operator=(const RunLoopQueue&) = delete;

    void async(Task task) override { loop_.post(0, std::move(task)); }
    DelayedTask asyncAfter(TimeInterval delay, Task task) override {
        return loop_.postCancellable(delay, std::move(task));
    }
    bool isCurrent() const override { return servingThread_.load() == std::this_thread::get_id(); }
    const Clock& clock() const override { return systemClock(); }

    /// Runs tasks on the calling thread as they fall due until stop().
    void run();

    /// From any thread: run() returns after the task it is running. A stop()
    /// before run() makes the next run() return at once.
    void stop() { loop_.quit(); }

private:
    TaskLoop loop_;
    std::atomic<std::thread::id> servingThread_{std::this_thread::get_id()};
};

}  // namespace spinewise
