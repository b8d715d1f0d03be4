#pragma once

#include "monitoring/TickingMonitor.hpp"

namespace spinewise {

/// Manual mode: one check from start() that stops itself once a correct or
/// unknown posture has lasted longer than its threshold. A poor posture is
/// confirmed on every tick and keeps the check going.
class ManualController final : public TickingMonitor {
public:
    explicit ManualController(MonitorEnvironment environment) : TickingMonitor(environment) {}

    std::string description() const override { return "Manual"; }

private:
    void tick() override;
};

}  // namespace spinewise
