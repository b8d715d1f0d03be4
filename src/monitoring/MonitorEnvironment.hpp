#pragma once

#include "foundation/Queue.hpp"

namespace spinewise {

class Preferences;

/// What the monitoring modes take from the program: the main queue, whose
/// clock is their "now" and on which their timers fire, and the settings
/// whose thresholds they read on every tick. Both outlive every mode object.
struct MonitorEnvironment {
    Queue& mainQueue;
    const Preferences& preferences;
};

}  // namespace spinewise
