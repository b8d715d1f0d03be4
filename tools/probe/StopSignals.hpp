#pragma once

#include <functional>
#include <thread>

namespace spinewise {

/// Turns SIGINT and SIGTERM into a call on a thread of its own, so that a
/// program can stop cleanly instead of being cut short. Construct it before
/// any other thread starts: the signals are blocked in the constructing
/// thread and in every thread it starts afterwards, and waited for here.
class StopSignals {
public:
    /// `onSignal` runs once per signal, on the waiting thread.
    explicit StopSignals(std::function<void()> onSignal);
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Destruction stops the waiting thread; the signals stay blocked.

private:
    std::jthread waiter_;
};

}  // namespace spinewise
