#pragma once

#include "foundation/Operation.hpp"

#include <atomic>
#include <functional>
#include <string_view>

namespace spinewise {

/// An operation that goes on after start() returns: it executes from begin()
/// until finish(). Every flag change is announced under "isExecuting" or
/// "isFinished". A cancelled operation finishes on start() without beginning.
class AsynchronousOperation : public Operation {
public:
    /// Begins the work unless it has begun already or the operation is finished.
    void start() override;
    bool isExecuting() const final { return executing_.load(); }
    bool isFinished() const final { return finished_.load(); }

protected:
    AsynchronousOperation() = default;

    /// Starts the work, on the thread of the queue that starts the operation.
    virtual void begin() = 0;

    /// No longer executing, then finished; later calls do nothing.
    void finish();

    /// A timer block that runs `method` on this operation while it lives. It
    /// holds the operation only while it runs, so a timer never keeps its
    /// operation alive, yet the operation may finish, and be let go by its
    /// queue, inside the block.
    template <class Derived>
    std::function<void()> blockCalling(void (Derived::*method)()) {
        return [weak = weak_from_this(), method] {
            if (const auto self = weak.lock()) (static_cast<Derived&>(*self).*method)();
        };
    }

private:
    void setFlag(std::string_view keyPath, std::atomic<bool>& flag, bool value);

    std::atomic<bool> executing_{false};
    std::atomic<bool> finished_{false};
};

}  // namespace spinewise
