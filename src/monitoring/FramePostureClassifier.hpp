#pragma once

#include "foundation/Clock.hpp"
#include "foundation/Geometry.hpp"
#include "foundation/Screen.hpp"
#include "posture/Detector.hpp"
#include "posture/Posture.hpp"

#include <opencv2/core/mat.hpp>

#include <optional>

namespace spinewise {

class Preferences;

/// Judges one camera frame: finds the face with its detector and applies the
/// eye-level rule against the main screen's frame, with the line at the
/// eye level the settings hold at that moment. Main thread only.
class FramePostureClassifier {
public:
    FramePostureClassifier(Detector detector, const Preferences& preferences, const MainScreen& mainScreen,
                           const Clock& clock);

    /// The frame's posture, starting now and carrying no face; nothing when
    /// the system reports no main screen (the frame is then skipped).
    std::optional<Posture> classify(const cv::Mat& frame, Rect cleanAperture);

private:
    Detector detector_;
    const Preferences& preferences_;
    const MainScreen& mainScreen_;
    const Clock& clock_;
};

}  // namespace spinewise
