#include "foundation/DeadlineQueue.hpp"

namespace spinewise {

void DeadlineQueue::push(TimeInterval deadline, Task task) {
    tasks_.emplace(Key{deadline, submitted_++}, std::move(task));
}

std::optional<std::pair<TimeInterval, Task>> DeadlineQueue::popDue(TimeInterval limit) {
    if (tasks_.empty() || tasks_.begin()->first.first > limit) return std::nullopt;
    auto node = tasks_.extract(tasks_.begin());
    return std::pair{node.key().first, std::move(node.mapped())};
}

std::optional<TimeInterval> DeadlineQueue::earliestDeadline() const {
    if (tasks_.empty()) return std::nullopt;
    return tasks_.begin()->first.first;
}

}  // namespace spinewise
