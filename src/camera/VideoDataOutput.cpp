#include "camera/VideoDataOutput.hpp"

namespace spinewise {

std::shared_ptr<VideoDataOutput> VideoDataOutput::make(Queue& queue, FrameHandler handler) {
    return std::shared_ptr<VideoDataOutput>(new VideoDataOutput(queue, std::move(handler)));
}

void VideoDataOutput::offer(cv::Mat frame) {
    {
        const std::lock_guard lock(mutex_);
        latest_ = std::move(frame);
        if (deliveryScheduled_) return;
        deliveryScheduled_ = true;
    }
    queue_.async([weak = weak_from_this()] {
        if (const auto output = weak.lock()) output->deliver();
    });
}

void VideoDataOutput::deliver() {
    cv::Mat frame;
    {
        const std::lock_guard lock(mutex_);
        frame = latest_;
        latest_.release();
        deliveryScheduled_ = false;
    }
    handler_(frame, Rect{0, 0, static_cast<double>(frame.cols), static_cast<double>(frame.rows)});
}

}  // namespace spinewise
