#pragma once

#include "camera/ReplayClip.hpp"

#include <cstddef>
#include <filesystem>
#include <vector>

namespace spinewise {

/// The image files of a folder (those OpenCV can read), in name order, at
/// the default rate.
class ImageFolderClip final : public ReplayClip {
public:
    explicit ImageFolderClip(const std::filesystem::path& folder);

    bool isEmpty() const { return files_.empty(); }

    double framesPerSecond() const override { return kDefaultFramesPerSecond; }
    std::variant<cv::Mat, CaptureError> nextFrame() override;

private:
    std::vector<std::filesystem::path> files_;
    std::size_t next_ = 0;
};

}  // namespace spinewise
