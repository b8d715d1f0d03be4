#include "monitoring/Throttle.hpp"

#include "monitoring/Mutex.hpp"

#include <memory>
#include <mutex>

namespace spinewise::Throttle {
namespace {

/// The delay step: once started, it stays executing for its time interval and
/// then finishes. Found cancelled, it finishes at once.
class ThrottledOperation final : public Operation {
public:
    ThrottledOperation(TimeInterval timeInterval, Queue& delayQueue)
        : timeInterval_(timeInterval), delayQueue_(delayQueue) {}

    void start() override {
        if (!isCancelled()) store("isExecuting", isExecuting_, true);
        main();
    }

    void main() override {
        if (isCancelled()) {
            finish();
            return;
        }
        delayQueue_.asyncAfter(timeInterval_, [weak = weak_from_this()] {
            if (const auto operation = weak.lock()) std::static_pointer_cast<ThrottledOperation>(operation)->finish();
        });
    }

    bool isExecuting() const override { return read(isExecuting_); }
    bool isFinished() const override { return read(isFinished_); }

private:
    void finish() {
        store("isExecuting", isExecuting_, false);
        store("isFinished", isFinished_, true);
    }

    /// Stores under the lock, between the change notices the queue listens to.
    void store(const char* keyPath, bool& flag, bool value) {
        willChangeValue(keyPath);
        {
            const std::lock_guard lock(mutex_);
            flag = value;
        }
        didChangeValue(keyPath);
    }

    bool read(const bool& flag) const {
        const std::lock_guard lock(mutex_);
        return flag;
    }

    const TimeInterval timeInterval_;
    Queue& delayQueue_;
    mutable Mutex mutex_;
    bool isExecuting_ = false;
    bool isFinished_ = false;
};

}  // namespace

void throttle(OperationQueue& queue, TimeInterval timeInterval, std::function<void()> block, Queue& delayQueue) {
    queue.cancelAllOperations();
    auto delay = std::make_shared<ThrottledOperation>(timeInterval, delayQueue);
    auto work = std::make_shared<BlockOperation>(std::move(block));
    work->addDependency(delay);
    queue.addOperations({delay, work}, true);
}

}  // namespace spinewise::Throttle
