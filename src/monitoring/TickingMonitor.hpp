#pragma once

#include "monitoring/DispatchTimer.hpp"
#include "monitoring/Monitor.hpp"
#include "monitoring/MonitorEnvironment.hpp"
#include "monitoring/PostureEvaluation.hpp"

#include <memory>

namespace spinewise {

/// A mode that watches from start() to stop() and judges the posture on a
/// one-second tick on the main queue. Every start() begins with a fresh
/// timer, so the first tick comes one second later; stop() holds the ticks
/// back and always tells the delegate, even when nothing was running.
class TickingMonitor : public Monitor {
public:
    ~TickingMonitor() override = default;
    TickingMonitor(const TickingMonitor&) = delete;
    TickingMonitor& operator=(const TickingMonitor&) = delete;

    void start() final;
    void stop() final;

protected:
    explicit TickingMonitor(MonitorEnvironment environment) : environment_(environment), evaluation_(environment) {}

    /// One second of watching, on the main queue.
    virtual void tick() = 0;

    const PostureEvaluation& evaluation() const { return evaluation_; }

private:
    MonitorEnvironment environment_;
    PostureEvaluation evaluation_;
    std::unique_ptr<DispatchTimer> timer_;
};

}  // namespace spinewise
