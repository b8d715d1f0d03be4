#include "camera/ReplayFrameReader.hpp"

namespace spinewise {

ReplayFrameReader::ReplayFrameReader(std::shared_ptr<ReplayDeck> deck, std::string uniqueID,
                                     std::unique_ptr<ReplayClip> clip)
    : deck_(std::move(deck)),
      uniqueID_(std::move(uniqueID)),
      clip_(std::move(clip)),
      interval_(std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          std::chrono::duration<double>(1.0 / clip_->framesPerSecond()))),
      due_(std::chrono::steady_clock::now()) {}

FrameRead ReplayFrameReader::read(std::stop_token stop) {
    if (!deck_->pathOf(uniqueID_)) return DeviceGone{};
    if (auto failure = deck_->takeFailure(uniqueID_))
        return CaptureError::make(CaptureErrorCode::readFailed, std::move(*failure));

    auto next = clip_->nextFrame();
    if (auto* error = std::get_if<CaptureError>(&next)) return std::move(*error);

    {
        std::unique_lock lock(mutex_);
        wake_.wait_until(lock, stop, due_, [] { return false; });
    }
    if (stop.stop_requested()) return ReadInterrupted{};
    // Like a camera, a clip that fell behind does not catch up in a burst.
    due_ = std::max(due_ + interval_, std::chrono::steady_clock::now());
    return std::move(std::get<cv::Mat>(next));
}

}  // namespace spinewise
