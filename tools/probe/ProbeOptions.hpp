#pragma once

#include "foundation/Clock.hpp"
#include "foundation/Geometry.hpp"
#include "monitoring/MonitorMode.hpp"
#include "posture/FaceDetectorFactory.hpp"

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace spinewise {

/// What spinewise-probe was asked to do.
struct ProbeOptions {
    std::vector<std::string> files;  ///< images or videos, in order
    std::optional<int> cameraIndex;  ///< a camera instead of files
    FaceDetectorKind detector = FaceDetectorKind::blazeFace;
    double eyeLevel = 0.5;  ///< fraction of the target height, from the bottom
    Size target{1440, 900};
    std::optional<long> frameLimit;  ///< frames per source at most
    /// Run the monitoring engine in this mode instead of probing frames.
    std::optional<MonitorMode> monitor;
    std::optional<std::string> deviceUID;     ///< the camera the engine uses
    std::optional<TimeInterval> duration;     ///< how long the engine runs; until a signal without it
    bool help = false;
};

/// A command line that cannot be run; the message says why.
class ProbeUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Parses the arguments after the program name; throws ProbeUsageError.
ProbeOptions parseProbeArguments(std::span<const std::string> arguments);

/// The usage text, several lines.
const char* probeUsage();

}  // namespace spinewise
