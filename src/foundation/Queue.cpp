#include "foundation/Queue.hpp"

namespace spinewise {

std::pair<DelayedTask, Task> DelayedTask::make(Task task) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    Task guarded = [cancelled, task = std::move(task)] {
        if (!cancelled->load()) task();
    };
    return {DelayedTask(std::move(cancelled)), std::move(guarded)};
}

void DelayedTask::cancel() const {
    if (cancelled_) cancelled_->store(true);
}

}  // namespace spinewise
