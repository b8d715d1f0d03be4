#include "monitoring/MonitorMode.hpp"

#include "foundation/Fatal.hpp"
#include "monitoring/LiveController.hpp"
#include "monitoring/ManualController.hpp"
#include "monitoring/ScheduleController.hpp"

namespace spinewise {

std::optional<MonitorMode> monitorModeForScheduleInterval(double minutes) {
    if (minutes == 0) return MonitorMode::live;
    if (minutes >= 1 && minutes <= 5) return MonitorMode::scheduled;
    if (minutes == 6) return MonitorMode::manual;
    return std::nullopt;
}

std::unique_ptr<Monitor> makeMonitor(MonitorMode mode, MonitorEnvironment environment, Queue& stepQueue) {
    switch (mode) {
        case MonitorMode::live:
            return std::make_unique<LiveController>(environment);
        case MonitorMode::scheduled:
            return std::make_unique<ScheduleController>(environment, stepQueue);
        case MonitorMode::manual:
            return std::make_unique<ManualController>(environment);
    }
    fatalError("Unknown monitor mode");
}

}  // namespace spinewise
