#pragma once

#include "foundation/DeadlineQueue.hpp"
#include "foundation/Queue.hpp"

#include <QTimer>

#include <memory>
#include <mutex>
#include <thread>

namespace spinewise {

/// The program's main queue: tasks run on the Qt event loop of the thread
/// that created the queue, and may be submitted from any thread. Tasks
/// submitted with async (or with a delay of zero or less) run in submission
/// order; delayed tasks run by deadline, in submission order among equal
/// deadlines. Destroy it on its own thread: tasks still pending never run.
class QtMainQueue final : public Queue {
public:
    QtMainQueue();
    ~QtMainQueue() override;
    QtMainQueue(const QtMainQueue&) = delete;
    QtMainQueue& operator=(const QtMainQueue&) = delete;

    void async(Task task) override;
    /// The deadline is kept on the monotonic clock from the moment of the
    /// call, so a change of the wall clock does not move it.
    DelayedTask asyncAfter(TimeInterval delay, Task task) override;
    bool isCurrent() const override { return std::this_thread::get_id() == thread_; }
    const Clock& clock() const override { return systemClock(); }

private:
    /// On the queue's thread: runs the delayed tasks that are due, then waits
    /// for the next one.
    void runDueTasks();
    void armTimer();

    const std::thread::id thread_;
    std::mutex mutex_;
    DeadlineQueue delayed_;  // deadlines in monotonic seconds; guarded by mutex_
    /// Fires at the earliest deadline; also the receiver of queued tasks,
    /// which die with it.
    std::unique_ptr<QTimer> timer_;
};

}  // namespace spinewise
