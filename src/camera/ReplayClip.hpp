#pragma once

#include "camera/CaptureError.hpp"

#include <opencv2/core/mat.hpp>

#include <filesystem>
#include <memory>
#include <variant>

namespace spinewise {

/// A picture source played in a loop as if it were a camera.
class ReplayClip {
public:
    /// Image folders play at this rate, and videos that do not tell theirs.
    static constexpr double kDefaultFramesPerSecond = 10;

    virtual ~ReplayClip() = default;

    virtual double framesPerSecond() const = 0;

    /// The next picture (BGR, 8 bits a channel), the first again after the last.
    virtual std::variant<cv::Mat, CaptureError> nextFrame() = 0;
};

/// A folder plays its image files in name order; anything else is opened as a video file.
std::variant<std::unique_ptr<ReplayClip>, CaptureError> openReplayClip(const std::filesystem::path& path);

}  // namespace spinewise
