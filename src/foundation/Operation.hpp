#pragma once

#include "foundation/KeyValueObservable.hpp"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace spinewise {

/// A unit of work for an OperationQueue. Its state changes are announced
/// through key-value observation under the keys "isExecuting", "isFinished"
/// and "isCancelled"; the queue learns of completion from "isFinished".
/// Operations are shared: create them with std::make_shared.
class Operation : public KeyValueObservable, public std::enable_shared_from_this<Operation> {
public:
    virtual ~Operation() = default;
    Operation(const Operation&) = delete;
    Operation& operator=(const Operation&) = delete;

    /// Runs the operation. This one runs main() while executing, then
    /// finishes; a cancelled operation only finishes. An override must finish
    /// the operation in both cases, at once or later; overrides that finish
    /// later also override isExecuting() and isFinished().
    virtual void start();

    /// The work, run by start(). Does nothing here.
    virtual void main() {}

    virtual bool isExecuting() const { return executing_.load(); }
    virtual bool isFinished() const { return finished_.load(); }
    bool isCancelled() const { return cancelled_.load(); }

    /// Asks the operation to stop. A cancelled operation is ready at once,
    /// whatever its dependencies; its start() finishes it without its work.
    void cancel();

    /// The operation becomes ready only once `dependency` has finished. Add
    /// dependencies before the operation joins a queue.
    void addDependency(std::shared_ptr<Operation> dependency);
    std::vector<std::shared_ptr<Operation>> dependencies() const;

    /// Cancelled, or every dependency finished.
    bool isReady() const;

protected:
    Operation() = default;

private:
    void setFlag(const char* keyPath, std::atomic<bool>& flag, bool value);

    std::atomic<bool> executing_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> cancelled_{false};
    mutable std::mutex dependenciesMutex_;
    std::vector<std::shared_ptr<Operation>> dependencies_;
};

/// An operation whose work is a block.
class BlockOperation final : public Operation {
public:
    explicit BlockOperation(std::function<void()> block) : block_(std::move(block)) {}

    void main() override { block_(); }

private:
    std::function<void()> block_;
};

}  // namespace spinewise
