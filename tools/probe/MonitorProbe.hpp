#pragma once

#include "ProbeOptions.hpp"

namespace spinewise {

/// Runs the monitoring engine headless in the mode `options.monitor`, with
/// the real queues, the shared camera (system cameras and the clips listed in
/// SPINEWISE_REPLAY_DEVICES) and the settings saved in the application
/// directory, which it reads but never writes. The main screen is a fixed
/// screen of `options.target`. Prints the program's diagnostic lines and one
/// JSON line per confirmed posture, in the settings file's form. Stops
/// monitoring and returns after `options.duration`, or on SIGINT or SIGTERM.
/// Returns the exit status.
int runMonitorProbe(const ProbeOptions& options);

}  // namespace spinewise
