#pragma once

#include <opencv2/core/mat.hpp>
#include <opencv2/videoio.hpp>

#include <stdexcept>
#include <string>

namespace spinewise {
/// An input that cannot be read: a missing file, an unreadable image or video,
/// a camera that does not open.
class ProbeInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The frames of one input: an image gives one frame, a video or a camera
/// gives its frames in order.
class ProbeFrameReader {
public:
    /// An image or a video file; throws ProbeInputError when it is neither.
    static ProbeFrameReader openFile(const std::string& path);
    /// A camera by index; throws ProbeInputError when it does not open.
    static ProbeFrameReader openCamera(int index);

    const std::string& sourceName() const { return sourceName_; }

    /// The next frame (BGR, 8UC3), or false at the end.
    bool read(cv::Mat& frame);

private:
    explicit ProbeFrameReader(std::string sourceName) : sourceName_(std::move(sourceName)) {}

    std::string sourceName_;
    cv::Mat pendingImage_;
    cv::VideoCapture capture_;
};

}  // namespace spinewise
