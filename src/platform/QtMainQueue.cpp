#include "platform/QtMainQueue.hpp"

#include <QMetaObject>

#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace spinewise {
namespace {

TimeInterval monotonicNow() {
    return std::chrono::duration<TimeInterval>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

/// Whole milliseconds until `deadline`, rounded up so that no task runs early,
/// within a Qt timer's range (a longer wait re-arms when it ends).
int millisecondsUntil(TimeInterval deadline) {
    const TimeInterval milliseconds = std::ceil((deadline - monotonicNow()) * 1000.0);
    if (milliseconds <= 0) return 0;
    if (milliseconds >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(milliseconds);
}

}  // namespace

QtMainQueue::QtMainQueue() : thread_(std::this_thread::get_id()), timer_(std::make_unique<QTimer>()) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] { runDueTasks(); });
}

QtMainQueue::~QtMainQueue() = default;

void QtMainQueue::async(Task task) {
    QMetaObject::invokeMethod(timer_.get(), std::move(task), Qt::QueuedConnection);
}

DelayedTask QtMainQueue::asyncAfter(TimeInterval delay, Task task) {
    auto [handle, guarded] = DelayedTask::make(std::move(task));
    // NaN and negative delays count as zero; a zero delay keeps its place
    // among the tasks submitted with async.
    if (!(delay > 0)) {
        async(std::move(guarded));
        return handle;
    }
    {
        const std::lock_guard lock(mutex_);
        delayed_.push(monotonicNow() + delay, std::move(guarded));
    }
    // The timer belongs to the queue's thread: it is armed there.
    async([this] { armTimer(); });
    return handle;
}

void QtMainQueue::runDueTasks() {
    const TimeInterval now = monotonicNow();
    for (;;) {
        std::optional<std::pair<TimeInterval, Task>> due;
        {
            const std::lock_guard lock(mutex_);
            due = delayed_.popDue(now);
        }
        if (!due) break;
        due->second();
    }
    armTimer();
}

void QtMainQueue::armTimer() {
    std::optional<TimeInterval> earliest;
    {
        const std::lock_guard lock(mutex_);
        earliest = delayed_.earliestDeadline();
    }
    if (earliest) {
        timer_->start(millisecondsUntil(*earliest));
    } else {
        timer_->stop();
    }
}

}  // namespace spinewise
