#pragma once

#include "foundation/DeadlineQueue.hpp"

#include <condition_variable>
#include <mutex>

namespace spinewise {

/// The engine of the real queues: a thread-safe store of tasks that the thread
/// calling serve() runs as they fall due, measured on the monotonic clock.
class TaskLoop {
public:
    /// From any thread: runs `task` once `delay` seconds have passed.
    void post(TimeInterval delay, Task task);

    /// post(), with a handle that can cancel the task.
    DelayedTask postCancellable(TimeInterval delay, Task task);

    /// Runs tasks as they fall due until quit() is called.
    void serve();

    /// From any thread, a task included: the current or next serve() returns
    /// after the task it is running; the tasks still queued stay queued.
    void quit();

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    DeadlineQueue tasks_;
    bool quitting_ = false;
};

}  // namespace spinewise
