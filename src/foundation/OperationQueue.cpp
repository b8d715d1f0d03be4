#include "foundation/OperationQueue.hpp"

#include "foundation/Fatal.hpp"

#include <algorithm>
#include <condition_variable>
#include <iterator>
#include <mutex>

namespace spinewise {

/// The queue's bookkeeping, shared with the observations of its operations so
/// that a notice arriving while the queue goes away finds nothing to do.
class OperationQueue::State : public std::enable_shared_from_this<State> {
public:
    explicit State(Queue& queue) : queue_(queue) {}

    void add(const std::vector<std::shared_ptr<Operation>>& operations) {
        std::vector<Entry> added;
        for (const auto& operation : operations) added.push_back(observe(operation));
        {
            const std::lock_guard lock(mutex_);
            std::ranges::move(added, std::back_inserter(entries_));
        }
        update();
    }

    void waitUntilFinished(const std::vector<std::shared_ptr<Operation>>& operations) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] {
            return std::ranges::all_of(operations, [](const auto& operation) { return operation->isFinished(); });
        });
    }

    std::vector<std::shared_ptr<Operation>> operations() const {
        const std::lock_guard lock(mutex_);
        std::vector<std::shared_ptr<Operation>> held;
        for (const auto& entry : entries_) held.push_back(entry.operation);
        return held;
    }

    std::size_t count() const {
        const std::lock_guard lock(mutex_);
        return entries_.size();
    }

    /// Lets go of finished operations and starts those that became ready.
    void update() {
        std::vector<Entry> finished;
        {
            const std::lock_guard lock(mutex_);
            std::vector<Entry> pending;
            for (auto& entry : entries_) (entry.operation->isFinished() ? finished : pending).push_back(std::move(entry));
            entries_ = std::move(pending);
            for (auto& entry : entries_) {
                if (entry.started || !entry.operation->isReady()) continue;
                entry.started = true;
                queue_.async([operation = entry.operation] { operation->start(); });  // under the lock: in add order
            }
            changed_.notify_all();
        }
        // `finished` goes here, outside the lock: an operation's destruction may take locks of its own.
    }

private:
    struct Entry {
        std::shared_ptr<Operation> operation;
        std::vector<ObservationToken> observations;  // destroyed before the operation they observe
        bool started = false;
    };

    Entry observe(const std::shared_ptr<Operation>& operation) {
        const auto onChange = [weak = weak_from_this()] {
            if (const auto state = weak.lock()) state->update();
        };
        Entry entry{operation, {}, false};
        entry.observations.push_back(operation->observe("isFinished", onChange));
        entry.observations.push_back(operation->observe("isCancelled", onChange));
        for (const auto& dependency : operation->dependencies())
            entry.observations.push_back(dependency->observe("isFinished", onChange));
        return entry;
    }

    Queue& queue_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> entries_;
};

OperationQueue::OperationQueue(Queue& queue) : queue_(queue), state_(std::make_shared<State>(queue)) {}

OperationQueue::~OperationQueue() = default;

void OperationQueue::addOperation(std::shared_ptr<Operation> operation) { state_->add({std::move(operation)}); }

void OperationQueue::addOperations(const std::vector<std::shared_ptr<Operation>>& operations, bool waitUntilFinished) {
    if (waitUntilFinished && queue_.isCurrent())
        fatalError("OperationQueue: waiting for operations on the thread that runs them");
    state_->add(operations);
    if (waitUntilFinished) state_->waitUntilFinished(operations);
}

void OperationQueue::cancelAllOperations() {
    for (const auto& operation : state_->operations()) operation->cancel();  // each cancel updates the queue
}

std::size_t OperationQueue::operationCount() const { return state_->count(); }

}  // namespace spinewise
