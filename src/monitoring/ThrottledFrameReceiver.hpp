#pragma once

#include "camera/CameraDelegate.hpp"
#include "foundation/Clock.hpp"
#include "foundation/OperationQueue.hpp"
#include "foundation/Queue.hpp"

#include <functional>
#include <string>

namespace spinewise {

/// A camera receiver that thins the frames out onto the main thread: each
/// frame is throttled onto the main operation queue, where `handler` gets it
/// no earlier than `interval` seconds later. The frame queue is held until
/// the handler has run, so at most one frame is in flight, and the camera
/// discards the frames that come meanwhile.
///
/// It holds no owner: the handler decides whether its target still exists.
/// The camera keeps its receiver alive while it delivers, so a receiver that
/// owned its target could end that target's life on the frame queue.
class ThrottledFrameReceiver final : public CameraDelegate {
public:
    using Handler = std::function<void(const cv::Mat& frame, Rect cleanAperture)>;

    /// Both queues outlive every frame in flight; the delay is measured on
    /// `delayQueue`.
    ThrottledFrameReceiver(std::string description, OperationQueue& mainOperationQueue, Queue& delayQueue,
                           TimeInterval interval, Handler handler);

    void camera(Camera& camera, const cv::Mat& frame, Rect cleanAperture) override;
    std::string description() const override { return description_; }

private:
    const std::string description_;
    OperationQueue& mainOperationQueue_;
    Queue& delayQueue_;
    const TimeInterval interval_;
    const Handler handler_;
};

}  // namespace spinewise
