#pragma once

#include "monitoring/MonitorEnvironment.hpp"
#include "posture/Posture.hpp"

#include <optional>
#include <string_view>

namespace spinewise {

class Monitor;

/// The lines a check writes when a confirmed posture ends it; each is
/// followed by the posture's age in seconds and "s".
struct CheckEndLines {
    std::string_view correct;
    std::string_view unknown;
};

/// The once-a-second posture test every mode runs on its main-queue tick.
class PostureEvaluation {
public:
    explicit PostureEvaluation(MonitorEnvironment environment) : environment_(environment) {}

    /// Asks `monitor`'s datasource for the current posture. When it has lasted
    /// strictly longer than its state's threshold (read afresh from the
    /// settings), confirms it to `monitor`'s delegate, if there is one, and
    /// returns it. No datasource or no posture: nothing happens.
    std::optional<Posture> confirmLasting(Monitor& monitor) const;

    /// confirmLasting(), and when the confirmed posture is correct or unknown,
    /// writes the line of its state with the posture's age at that moment.
    /// Returns whether it did so: the check is over.
    bool confirmEndingCheck(Monitor& monitor, const CheckEndLines& lines) const;

private:
    TimeInterval threshold(Posture::State state) const;
    TimeInterval ageOf(const Posture& posture) const;

    MonitorEnvironment environment_;
};

}  // namespace spinewise
