#pragma once

#include "foundation/DeadlineQueue.hpp"
#include "foundation/Queue.hpp"
#include "foundation/VirtualClock.hpp"

#include <cstddef>
#include <mutex>
#include <thread>

namespace spinewise {

/// A main queue on virtual time for tests. Tasks may be submitted from any
/// thread; they run only inside advance() or runPending(), on the thread that
/// created the queue, which is the queue's own thread.
class VirtualMainQueue final : public Queue {
public:
    explicit VirtualMainQueue(TimeInterval start = 0) : clock_(start) {}
    VirtualMainQueue(const VirtualMainQueue&) = delete;
    VirtualMainQueue& operator=(const VirtualMainQueue&) = delete;

    void async(Task task) override;
    DelayedTask asyncAfter(TimeInterval delay, Task task) override;
    bool isCurrent() const override { return std::this_thread::get_id() == owner_; }
    const VirtualClock& clock() const override { return clock_; }

    /// Moves time forward by `seconds`, running every task that falls due on
    /// the way, tasks submitted meanwhile included, in deadline order (first
    /// in first out for equal deadlines). While a task runs, the clock reads
    /// its deadline; afterwards it reads the end of the span.
    void advance(TimeInterval seconds);

    /// Runs what is due now, including tasks those submit for now.
    void runPending() { advance(0); }

    /// Tasks waiting to run; cancelled delayed tasks count until they fall due.
    std::size_t pendingTaskCount() const;

private:
    void push(TimeInterval delay, Task task);

    VirtualClock clock_;
    const std::thread::id owner_ = std::this_thread::get_id();
    mutable std::mutex mutex_;
    DeadlineQueue tasks_;
};

}  // namespace spinewise
