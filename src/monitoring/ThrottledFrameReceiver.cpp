#include "monitoring/ThrottledFrameReceiver.hpp"

#include "monitoring/Throttle.hpp"

namespace spinewise {

ThrottledFrameReceiver::ThrottledFrameReceiver(std::string description, OperationQueue& mainOperationQueue,
                                               Queue& delayQueue, TimeInterval interval, Handler handler)
    : description_(std::move(description)),
      mainOperationQueue_(mainOperationQueue),
      delayQueue_(delayQueue),
      interval_(interval),
      handler_(std::move(handler)) {}

void ThrottledFrameReceiver::camera(Camera&, const cv::Mat& frame, Rect cleanAperture) {
    Throttle::throttle(
        mainOperationQueue_, interval_, [this, frame, cleanAperture] { handler_(frame, cleanAperture); },
        delayQueue_);
}

}  // namespace spinewise
