#include "foundation/TaskLoop.hpp"

#include <algorithm>
#include <chrono>

namespace spinewise {
namespace {

using Monotonic = std::chrono::steady_clock;

TimeInterval monotonicNow() {
    return std::chrono::duration<TimeInterval>(Monotonic::now().time_since_epoch()).count();
}

Monotonic::time_point monotonicTimePoint(TimeInterval seconds) {
    return Monotonic::time_point(std::chrono::ceil<Monotonic::duration>(std::chrono::duration<TimeInterval>(seconds)));
}

}  // namespace

// Notifying under the lock keeps the loop, and so its owner's destruction,
// waiting until this thread is done with the condition variable.
void TaskLoop::post(TimeInterval delay, Task task) {
    const std::lock_guard lock(mutex_);
    tasks_.push(monotonicNow() + std::max(delay, 0.0), std::move(task));
    wake_.notify_one();
}

DelayedTask TaskLoop::postCancellable(TimeInterval delay, Task task) {
    auto [handle, guarded] = DelayedTask::make(std::move(task));
    post(delay, std::move(guarded));
    return handle;
}

void TaskLoop::serve() {
    std::unique_lock lock(mutex_);
    while (!quitting_) {
        if (auto due = tasks_.popDue(monotonicNow())) {
            Task task = std::move(due->second);
            lock.unlock();
            task();
            task = nullptr;  // captures are released before the lock is taken again
            lock.lock();
        } else if (const auto next = tasks_.earliestDeadline()) {
            wake_.wait_until(lock, monotonicTimePoint(*next));
        } else {
            wake_.wait(lock);
        }
    }
    quitting_ = false;
}

void TaskLoop::quit() {
    const std::lock_guard lock(mutex_);
    quitting_ = true;
    wake_.notify_one();
}

}  // namespace spinewise
