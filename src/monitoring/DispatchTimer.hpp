#pragma once

#include "foundation/Clock.hpp"
#include "foundation/Queue.hpp"

#include <functional>
#include <memory>

namespace spinewise {

/// A one-shot or repeating timer that calls its block on a queue.
///
/// The first deadline is one interval after creation, whenever the timer is
/// started; a repeating timer then fires every interval on that same grid.
/// While stopped its firings are held back; start() delivers at most one held
/// firing, promptly, and keeps the grid. A one-shot timer fires at most once
/// in its life. Destruction ends the timer for good: no firing reaches the
/// block afterwards, not even one already queued.
///
/// start(), stop() and destruction come from one thread at a time; the block
/// runs on the queue, which must outlive the timer. Destroying the timer on a
/// thread other than the queue's waits for a block in progress to return.
class DispatchTimer {
public:
    using Block = std::function<void()>;

    /// `interval` in seconds; a repeating timer needs a positive one.
    DispatchTimer(TimeInterval interval, bool repeats, Queue& queue, Block block);
    ~DispatchTimer();
    DispatchTimer(const DispatchTimer&) = delete;
    DispatchTimer& operator=(const DispatchTimer&) = delete;

    /// Resumes the timer if it is stopped; otherwise does nothing.
    void start();

    /// Holds the timer's firings back if it is running; otherwise does nothing.
    void stop();

    /// True between start() and stop(), also for a one-shot timer that fired.
    bool isRunning() const;

private:
    class Source;
    std::shared_ptr<Source> source_;
};

}  // namespace spinewise
