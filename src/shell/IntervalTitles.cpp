#include "shell/IntervalTitles.hpp"

#include <QDateTime>

#include <cmath>
#include <cstdio>
#include <vector>

namespace spinewise {
namespace {

std::string minutesText(double minutes) {
    char number[64];
    std::snprintf(number, sizeof number, "Every %0.0f ", minutes);
    return std::string(number) + (minutes == 1.0 ? "minute" : "minutes");
}

std::string clockTimeText(TimeInterval time, const QTimeZone& timeZone) {
    const auto milliseconds = static_cast<qint64>(std::floor((time + kUnixToReferenceDate) * 1000));
    return QDateTime::fromMSecsSinceEpoch(milliseconds, timeZone).toString(QStringLiteral("HH:mm:ss")).toStdString();
}

}  // namespace

std::string intervalTitle(const IntervalState& state) {
    std::string title;
    switch (state.mode) {
    case MonitorMode::scheduled: title = minutesText(state.scheduleInterval); break;
    case MonitorMode::live: title = "Live"; break;
    case MonitorMode::manual: title = "Manual"; break;
    }
    if (state.mode != MonitorMode::manual && !state.isRunning) title += " (Paused)";
    return "Interval - " + title;
}

std::string intervalAltTitle(const IntervalState& state, TimeInterval now, const QTimeZone& timeZone) {
    if (!state.lastStop || !state.isRunning || state.mode != MonitorMode::scheduled) return intervalTitle(state);
    if (state.isSessionRunning) return "Running...";
    const TimeInterval remaining = state.scheduleInterval * 60 - (now - *state.lastStop);
    std::string title = "Next at " + clockTimeText(now + remaining, timeZone);
    if (const auto duration = shortDurationText(remaining)) title += " in " + *duration;
    return title;
}

std::optional<std::string> shortDurationText(TimeInterval seconds) {
    if (!std::isfinite(seconds) || std::fabs(seconds) > 1e15) return std::nullopt;
    const auto total = static_cast<long long>(std::llround(std::fabs(seconds)));
    const long long hours = total / 3600;
    const long long minutes = total / 60 % 60;
    const long long rest = total % 60;

    std::vector<std::string> parts;
    if (hours != 0) parts.push_back(std::to_string(hours) + " hr");
    if (minutes != 0) parts.push_back(std::to_string(minutes) + " min");
    if (rest != 0 || parts.empty()) parts.push_back(std::to_string(rest) + " sec");

    std::string text = seconds < 0 && total != 0 ? "-" : "";
    for (std::size_t i = 0; i < parts.size(); ++i) text += (i == 0 ? "" : ", ") + parts[i];
    return text;
}

}  // namespace spinewise
