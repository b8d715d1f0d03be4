#pragma once

#include "camera/ReplayClip.hpp"

#include <opencv2/videoio.hpp>

#include <filesystem>

namespace spinewise {

/// A video file at its own frame rate, started again from the beginning at its end.
class VideoFileClip final : public ReplayClip {
public:
    explicit VideoFileClip(std::filesystem::path file);

    bool isOpened() const { return capture_.isOpened(); }

    double framesPerSecond() const override { return framesPerSecond_; }
    std::variant<cv::Mat, CaptureError> nextFrame() override;

private:
    const std::filesystem::path file_;
    cv::VideoCapture capture_;
    double framesPerSecond_;
};

}  // namespace spinewise
