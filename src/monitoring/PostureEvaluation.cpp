#include "monitoring/PostureEvaluation.hpp"

#include "foundation/DecimalText.hpp"
#include "foundation/Log.hpp"
#include "monitoring/Monitor.hpp"
#include "monitoring/MonitorDatasource.hpp"
#include "monitoring/MonitorDelegate.hpp"
#include "settings/Preferences.hpp"

#include <string>

namespace spinewise {
std::optional<Posture> PostureEvaluation::confirmLasting(Monitor& monitor) const {
    const auto datasource = monitor.datasource().lock();
    if (!datasource) return std::nullopt;
    const auto posture = datasource->currentPosture(monitor);
    if (!posture || !(ageOf(*posture) > threshold(posture->state))) return std::nullopt;
    if (const auto delegate = monitor.delegate().lock()) delegate->monitorDidConfirm(monitor, *posture);
    return posture;
}

bool PostureEvaluation::confirmEndingCheck(Monitor& monitor, const CheckEndLines& lines) const {
    const auto confirmed = confirmLasting(monitor);
    if (!confirmed || confirmed->state == Posture::State::poor) return false;
    const auto line = confirmed->state == Posture::State::correct ? lines.correct : lines.unknown;
    logLine(std::string(line) + decimalText(ageOf(*confirmed)) + "s");
    return true;
}

TimeInterval PostureEvaluation::threshold(Posture::State state) const {
    const auto& preferences = environment_.preferences;
    switch (state) {
        case Posture::State::correct: return preferences.correctPostureTime();
        case Posture::State::poor: return preferences.poorPostureTime();
        case Posture::State::unknown: return preferences.unknownPostureTime();
    }
    return preferences.unknownPostureTime();
}

TimeInterval PostureEvaluation::ageOf(const Posture& posture) const {
    return environment_.mainQueue.clock().now() - posture.start;
}

}  // namespace spinewise
