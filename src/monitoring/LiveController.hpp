#pragma once

#include "monitoring/TickingMonitor.hpp"

namespace spinewise {

/// Live mode: watches without end, confirming every posture that has lasted
/// longer than its state's threshold on every tick.
class LiveController final : public TickingMonitor {
public:
    explicit LiveController(MonitorEnvironment environment) : TickingMonitor(environment) {}

    std::string description() const override { return "Real Time"; }

private:
    void tick() override { evaluation().confirmLasting(*this); }
};

}  // namespace spinewise
