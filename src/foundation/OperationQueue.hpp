#pragma once

#include "foundation/Operation.hpp"
#include "foundation/Queue.hpp"

#include <cstddef>
#include <memory>
#include <vector>

namespace spinewise {

/// Runs operations on an underlying serial Queue: each operation is started
/// there once it is ready, in the order the operations were added. An
/// operation that finishes later (its start() returns before it is finished)
/// does not hold back the others. The queue keeps an operation until it
/// has finished. Usable from any thread.
class OperationQueue {
public:
    explicit OperationQueue(Queue& queue);
    ~OperationQueue();
    OperationQueue(const OperationQueue&) = delete;
    OperationQueue& operator=(const OperationQueue&) = delete;

    void addOperation(std::shared_ptr<Operation> operation);

    /// Adds the operations, then, if asked, waits until all of them have
    /// finished. Waiting on the thread that serves the underlying queue would
    /// wait for ever: that stops the program.
    void addOperations(const std::vector<std::shared_ptr<Operation>>& operations, bool waitUntilFinished);

    /// Cancels every operation the queue holds. Those not started yet are
    /// started soon after and finish without doing their work.
    void cancelAllOperations();

    /// The operations not finished yet.
    std::size_t operationCount() const;

private:
    class State;
    Queue& queue_;
    std::shared_ptr<State> state_;
};

}  // namespace spinewise
