#include "camera/VideoFileClip.hpp"

#include "camera/BgrFrame.hpp"

#include <cmath>

namespace spinewise {

VideoFileClip::VideoFileClip(std::filesystem::path file)
    : file_(std::move(file)), capture_(file_.string(), cv::CAP_FFMPEG), framesPerSecond_(capture_.get(cv::CAP_PROP_FPS)) {
    if (!std::isfinite(framesPerSecond_) || framesPerSecond_ <= 0) framesPerSecond_ = kDefaultFramesPerSecond;
}

std::variant<cv::Mat, CaptureError> VideoFileClip::nextFrame() {
    cv::Mat frame;
    // At the end, the file is opened again: seeking back is not exact with every codec.
    if (!capture_.read(frame) && capture_.open(file_.string(), cv::CAP_FFMPEG)) capture_.read(frame);
    if (auto bgr = asBgrFrame(frame)) return std::move(*bgr);
    return CaptureError::make(CaptureErrorCode::readFailed, "Cannot play the replay file \"" + file_.string() + "\".");
}

}  // namespace spinewise
