#pragma once

#include "posture/Posture.hpp"

namespace spinewise {

class Monitor;

/// Receives what a monitoring mode decides. `monitor` is always the object
/// making the call.
class MonitorDelegate {
public:
    virtual ~MonitorDelegate() = default;

    /// `posture` has lasted longer than its state's threshold.
    virtual void monitorDidConfirm(Monitor& monitor, const Posture& posture) = 0;
    /// The mode needs posture samples from now on: the camera should run.
    virtual void monitorDidStartWatching(Monitor& monitor) = 0;
    /// The mode needs no samples any more: the camera may stop.
    virtual void monitorDidStopWatching(Monitor& monitor) = 0;

protected:
    MonitorDelegate() = default;
    MonitorDelegate(const MonitorDelegate&) = default;
    MonitorDelegate& operator=(const MonitorDelegate&) = default;
};

}  // namespace spinewise
