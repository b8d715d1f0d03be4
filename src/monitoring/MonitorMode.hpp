#pragma once

#include "foundation/Queue.hpp"
#include "monitoring/Monitor.hpp"
#include "monitoring/MonitorEnvironment.hpp"

#include <memory>
#include <optional>

namespace spinewise {

/// The three monitoring modes, as the "scheduleInterval" setting selects them.
enum class MonitorMode { live, scheduled, manual };

/// 0 minutes: live; 1 to 5: scheduled; 6: manual. Any other value (negative,
/// between the ranges, above 6, NaN) selects no mode.
std::optional<MonitorMode> monitorModeForScheduleInterval(double minutes);

/// A new, idle mode object: LiveController, ScheduleController (its steps
/// start on `stepQueue`) or ManualController.
std::unique_ptr<Monitor> makeMonitor(MonitorMode mode, MonitorEnvironment environment, Queue& stepQueue);

}  // namespace spinewise
