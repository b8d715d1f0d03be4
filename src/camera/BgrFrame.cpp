#include "camera/BgrFrame.hpp"

#include <opencv2/imgproc.hpp>

namespace spinewise {

std::optional<cv::Mat> asBgrFrame(const cv::Mat& frame) {
    if (frame.empty() || frame.depth() != CV_8U) return std::nullopt;
    switch (frame.channels()) {
    case 3:
        return frame;
    case 1: {
        cv::Mat bgr;
        cv::cvtColor(frame, bgr, cv::COLOR_GRAY2BGR);
        return bgr;
    }
    case 4: {
        cv::Mat bgr;
        cv::cvtColor(frame, bgr, cv::COLOR_BGRA2BGR);
        return bgr;
    }
    default:
        return std::nullopt;
    }
}

}  // namespace spinewise
