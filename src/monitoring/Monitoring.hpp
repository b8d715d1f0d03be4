#pragma once

#include "monitoring/AsynchronousOperation.hpp"
#include "monitoring/DispatchTimer.hpp"
#include "monitoring/Monitor.hpp"
#include "monitoring/MonitorEnvironment.hpp"
#include "monitoring/PostureEvaluation.hpp"

#include <memory>

namespace spinewise {

/// One burst of the scheduled mode: judges the posture once a second on the
/// main queue and finishes on the tick that confirms a correct or unknown
/// posture. A poor posture is confirmed on every tick and keeps it going.
/// The burst is the `monitor` of its own datasource and delegate calls.
///
/// A cancelled burst makes no further calls: it finishes on its next tick.
class Monitoring final : public AsynchronousOperation, public Monitor {
public:
    /// The datasource and delegate are the scheduled mode's when the burst is created.
    Monitoring(MonitorEnvironment environment, std::weak_ptr<MonitorDatasource> datasource,
               std::weak_ptr<MonitorDelegate> delegate);

    /// Begins the burst: the first tick comes one second later.
    void start() override { AsynchronousOperation::start(); }
    /// Holds the ticks back without finishing the burst. Main thread, after start().
    void stop() override;
    std::string description() const override { return "Scheduled"; }

private:
    void begin() override;
    void tick();

    MonitorEnvironment environment_;
    PostureEvaluation evaluation_;
    std::unique_ptr<DispatchTimer> timer_;
};

}  // namespace spinewise
