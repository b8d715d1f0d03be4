#include "foundation/VirtualMainQueue.hpp"

#include "foundation/Fatal.hpp"

#include <algorithm>

namespace spinewise {

void VirtualMainQueue::async(Task task) { push(0, std::move(task)); }

DelayedTask VirtualMainQueue::asyncAfter(TimeInterval delay, Task task) {
    auto [handle, guarded] = DelayedTask::make(std::move(task));
    push(delay, std::move(guarded));
    return handle;
}

void VirtualMainQueue::push(TimeInterval delay, Task task) {
    const std::lock_guard lock(mutex_);
    tasks_.push(clock_.now() + std::max(delay, 0.0), std::move(task));
}

std::size_t VirtualMainQueue::pendingTaskCount() const {
    const std::lock_guard lock(mutex_);
    return tasks_.size();
}

void VirtualMainQueue::advance(TimeInterval seconds) {
    if (!isCurrent()) fatalError("VirtualMainQueue advanced off the thread that created it");
    const TimeInterval end = clock_.now() + std::max(seconds, 0.0);
    while (true) {
        std::unique_lock lock(mutex_);
        auto due = tasks_.popDue(end);
        lock.unlock();
        if (!due) break;
        clock_.set(due->first);
        Task task = std::move(due->second);
        task();
    }
    clock_.set(end);
}

}  // namespace spinewise
