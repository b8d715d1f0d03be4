#pragma once

#include "foundation/Clock.hpp"

#include <atomic>
#include <functional>
#include <memory>
#include <utility>

namespace spinewise {

using Task = std::function<void()>;

/// Handle of a task scheduled with Queue::asyncAfter. Copies share the task;
/// an empty handle cancels nothing.
class DelayedTask {
public:
    DelayedTask() = default;

    /// For queue implementations: a handle and the task to enqueue in place of
    /// `task`, which runs `task` unless the handle was cancelled first.
    static std::pair<DelayedTask, Task> make(Task task);

    /// The task will not start after this returns. A task already running on
    /// another thread is not interrupted.
    void cancel() const;

private:
    explicit DelayedTask(std::shared_ptr<std::atomic<bool>> cancelled) : cancelled_(std::move(cancelled)) {}

    std::shared_ptr<std::atomic<bool>> cancelled_;
};

/// A serial queue: tasks run one at a time, in submission order for tasks due
/// at the same time, on the thread that serves the queue. Tasks may be
/// submitted from any thread. The desktop shell implements it on its event
/// loop; the core only sees this interface.
class Queue {
public:
    virtual ~Queue() = default;

    virtual void async(Task task) = 0;

    /// Runs `task` once `delay` seconds (measured by clock()) have passed.
    /// A negative delay counts as zero.
    virtual DelayedTask asyncAfter(TimeInterval delay, Task task) = 0;

    /// Whether the calling thread is the one that serves this queue.
    virtual bool isCurrent() const = 0;

    /// The clock by which the queue measures delays.
    virtual const Clock& clock() const = 0;
};

}  // namespace spinewise
