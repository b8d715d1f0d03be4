#include "monitoring/DispatchTimer.hpp"

#include "foundation/Fatal.hpp"

#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace spinewise {

/// The timer's schedule, shared with its queued firing so that a firing that
/// outlives the timer finds it gone and does nothing.
class DispatchTimer::Source : public std::enable_shared_from_this<Source> {
public:
    Source(TimeInterval interval, bool repeats, Queue& queue, Block block)
        : queue_(queue), interval_(interval), repeats_(repeats), block_(std::move(block)),
          nextDeadline_(queue.clock().now() + interval) {}

    void resume() {
        const std::lock_guard lock(mutex_);
        if (running_) return;
        running_ = true;
        if (!spent_) armLocked();
    }

    void suspend() {
        const std::lock_guard lock(mutex_);
        if (!running_) return;
        running_ = false;
        disarmLocked();
    }

    /// Withholds every later firing and waits for a block in progress on
    /// another thread.
    void cancel() {
        std::unique_lock lock(mutex_);
        running_ = false;
        disarmLocked();
        idle_.wait(lock, [this] { return !firingThread_ || *firingThread_ == std::this_thread::get_id(); });
    }

    bool isRunning() const {
        const std::lock_guard lock(mutex_);
        return running_;
    }

private:
    void armLocked() {
        const std::uint64_t armed = ++generation_;
        pending_ = queue_.asyncAfter(nextDeadline_ - queue_.clock().now(), [weak = weak_from_this(), armed] {
            if (const auto source = weak.lock()) source->fire(armed);
        });
    }

    void disarmLocked() {
        ++generation_;
        pending_.cancel();
    }

    void fire(std::uint64_t armed) {
        {
            const std::lock_guard lock(mutex_);
            if (armed != generation_ || !running_) return;
            if (repeats_) {
                moveDeadlinePast(queue_.clock().now());
                armLocked();
            } else {
                spent_ = true;
            }
            firingThread_ = std::this_thread::get_id();
        }
        block_();
        {
            const std::lock_guard lock(mutex_);
            firingThread_.reset();
        }
        idle_.notify_all();
    }

    /// Firings missed while stopped collapse into the one being delivered.
    void moveDeadlinePast(TimeInterval now) {
        if (nextDeadline_ <= now) nextDeadline_ += std::floor((now - nextDeadline_) / interval_) * interval_;
        while (nextDeadline_ <= now) nextDeadline_ += interval_;
    }

    Queue& queue_;
    const TimeInterval interval_;
    const bool repeats_;
    const Block block_;

    mutable std::mutex mutex_;
    std::condition_variable idle_;
    TimeInterval nextDeadline_;
    bool running_ = false;
    bool spent_ = false;  // a one-shot timer that fired
    std::uint64_t generation_ = 0;  // a firing armed under another generation is void
    DelayedTask pending_;
    std::optional<std::thread::id> firingThread_;
};

DispatchTimer::DispatchTimer(TimeInterval interval, bool repeats, Queue& queue, Block block) {
    if (repeats && !(interval > 0)) fatalError("DispatchTimer: a repeating timer needs a positive interval");
    source_ = std::make_shared<Source>(interval, repeats, queue, std::move(block));
}

DispatchTimer::~DispatchTimer() { source_->cancel(); }

void DispatchTimer::start() { source_->resume(); }

void DispatchTimer::stop() { source_->suspend(); }

bool DispatchTimer::isRunning() const { return source_->isRunning(); }

}  // namespace spinewise
