#pragma once

#include "posture/Posture.hpp"

#include <optional>

namespace spinewise {

class MonitorController;

/// Hears of the monitor controller's posture changes, on the main thread.
class MonitorControllerDelegate {
public:
    virtual ~MonitorControllerDelegate() = default;

    /// The current posture changed; nothing when it was cleared.
    virtual void monitorControllerDidChangePosture(MonitorController& controller,
                                                   const std::optional<Posture>& posture) = 0;
    /// The confirmed posture changed; nothing when it was cleared.
    virtual void monitorControllerDidChangeDelayedPosture(MonitorController& controller,
                                                          const std::optional<Posture>& posture) = 0;

protected:
    MonitorControllerDelegate() = default;
    MonitorControllerDelegate(const MonitorControllerDelegate&) = default;
    MonitorControllerDelegate& operator=(const MonitorControllerDelegate&) = default;
};

}  // namespace spinewise
