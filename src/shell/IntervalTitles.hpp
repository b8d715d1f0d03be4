#pragma once

#include "foundation/Clock.hpp"
#include "monitoring/MonitorMode.hpp"

#include <QTimeZone>

#include <optional>
#include <string>

namespace spinewise {

/// What the status menu's interval titles are made of.
struct IntervalState {
    MonitorMode mode = MonitorMode::scheduled;
    bool isRunning = false;
    /// Minutes between scheduled checks.
    double scheduleInterval = 1;
    /// When the camera last stopped, if ever.
    std::optional<TimeInterval> lastStop;
    bool isSessionRunning = false;
};

/// "Interval - Every 1 minute", "Interval - Every 5 minutes (Paused)",
/// "Interval - Live", "Interval - Manual". The minutes are rounded; only
/// exactly 1 is singular.
std::string intervalTitle(const IntervalState& state);

/// While scheduled monitoring runs and the camera has stopped before:
/// "Running..." during a check, else "Next at HH:mm:ss in 4 min, 30 sec" (the
/// time of the next check in `timeZone`). Otherwise the same as intervalTitle.
std::string intervalAltTitle(const IntervalState& state, TimeInterval now, const QTimeZone& timeZone);

/// A duration in whole seconds (rounded) with the short units hr, min and sec,
/// zero parts left out: 270 -> "4 min, 30 sec", 3600 -> "1 hr", 0 -> "0 sec".
/// Nothing for a duration that is not finite.
std::optional<std::string> shortDurationText(TimeInterval seconds);

}  // namespace spinewise
