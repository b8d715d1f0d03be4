#include "camera/CaptureRun.hpp"

#include <pthread.h>

namespace spinewise {
namespace {

void capture(std::stop_token stop, std::unique_ptr<CaptureRun> previous, const CaptureDriver& driver,
             const VideoDevice& device, VideoDataOutput& output, const CaptureRun::EndHandler& onEnd) {
    pthread_setname_np(pthread_self(), "spinewise-capt");
    previous.reset();
    if (stop.stop_requested()) return;

    auto opened = driver.open(device);
    if (const auto* error = std::get_if<CaptureError>(&opened)) {
        if (!stop.stop_requested()) onEnd(*error);
        return;
    }
    const auto reader = std::move(std::get<std::unique_ptr<FrameReader>>(opened));
    while (true) {
        auto read = reader->read(stop);
        if (stop.stop_requested()) return;
        if (auto* frame = std::get_if<cv::Mat>(&read)) {
            output.offer(std::move(*frame));
        } else if (std::holds_alternative<DeviceGone>(read)) {
            onEnd(std::nullopt);
            return;
        } else if (const auto* error = std::get_if<CaptureError>(&read)) {
            onEnd(*error);
            return;
        } else {
            return;
        }
    }
}

}  // namespace

CaptureRun::CaptureRun(std::shared_ptr<const CaptureDriver> driver, VideoDevice device,
                       std::shared_ptr<VideoDataOutput> output, std::unique_ptr<CaptureRun> previous,
                       EndHandler onEnd)
    : thread_([driver = std::move(driver), device = std::move(device), output = std::move(output),
               previous = std::move(previous), onEnd = std::move(onEnd)](std::stop_token stop) mutable {
          capture(stop, std::move(previous), *driver, device, *output, onEnd);
      }) {}

}  // namespace spinewise
