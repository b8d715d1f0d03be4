#include "camera/ImageFolderClip.hpp"

#include <opencv2/imgcodecs.hpp>

#include <algorithm>

namespace spinewise {

ImageFolderClip::ImageFolderClip(const std::filesystem::path& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file() && cv::haveImageReader(entry.path().string())) files_.push_back(entry.path());
    std::ranges::sort(files_);
}

std::variant<cv::Mat, CaptureError> ImageFolderClip::nextFrame() {
    const auto& file = files_[next_];
    next_ = (next_ + 1) % files_.size();
    cv::Mat image = cv::imread(file.string(), cv::IMREAD_COLOR);
    if (image.empty())
        return CaptureError::make(CaptureErrorCode::readFailed, "Cannot read the image \"" + file.string() + "\".");
    return image;
}

}  // namespace spinewise
