#include "camera/ReplayClip.hpp"

#include "camera/ImageFolderClip.hpp"
#include "camera/VideoFileClip.hpp"

namespace spinewise {

std::variant<std::unique_ptr<ReplayClip>, CaptureError> openReplayClip(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        auto folder = std::make_unique<ImageFolderClip>(path);
        if (folder->isEmpty())
            return CaptureError::make(CaptureErrorCode::cannotOpen,
                                      "The folder \"" + path.string() + "\" holds no images.");
        return folder;
    }
    auto video = std::make_unique<VideoFileClip>(path);
    if (!video->isOpened())
        return CaptureError::make(CaptureErrorCode::cannotOpen, "Cannot play the replay file \"" + path.string() + "\".");
    return video;
}

}  // namespace spinewise
