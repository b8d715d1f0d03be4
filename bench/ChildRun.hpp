#pragma once

#include "BenchFrames.hpp"

#include "posture/FaceDetector.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace spinewise {

/// What one detection gave on one frame (eyes in image coordinates).
struct FrameResult {
    double milliseconds = 0;
    bool bothEyes = false;
    double leftEyeY = 0;
    double rightEyeY = 0;
};

struct MethodRun {
    std::vector<FrameResult> frames;  ///< in frame order
    double baselineRssMb = 0;         ///< the process before the detector exists
    double peakRssMb = 0;             ///< the process's high-water mark
};

using DetectorFactory = std::function<std::unique_ptr<FaceDetector>()>;

/// Runs one method over all frames in a fresh child process (one OpenCV
/// thread), so that its memory is measured on its own: the detector is made
/// there, warmed up on one black frame, then timed frame by frame. Returns
/// nothing when the child fails.
std::optional<MethodRun> runInChild(const DetectorFactory& makeDetector, const BenchFrames& frames);

}  // namespace spinewise
