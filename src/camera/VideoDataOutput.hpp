#pragma once

#include "foundation/Geometry.hpp"
#include "foundation/Queue.hpp"

#include <opencv2/core/mat.hpp>

#include <functional>
#include <memory>
#include <mutex>

namespace spinewise {

/// The session's frame output: hands captured frames to one handler on one
/// serial queue, newest frame only. A frame offered while an earlier one still
/// waits for the queue replaces it, so a slow handler never works through a
/// backlog: the next frame it gets is the one captured last.
class VideoDataOutput : public std::enable_shared_from_this<VideoDataOutput> {
public:
    /// The frame (BGR, 8 bits a channel) and its clean aperture, the whole frame.
    using FrameHandler = std::function<void(const cv::Mat& frame, Rect cleanAperture)>;

    /// `queue` must outlive the output and every delivery it schedules.
    static std::shared_ptr<VideoDataOutput> make(Queue& queue, FrameHandler handler);

    VideoDataOutput(const VideoDataOutput&) = delete;
    VideoDataOutput& operator=(const VideoDataOutput&) = delete;

    /// From any thread; returns at once. The output keeps the frame without copying it.
    void offer(cv::Mat frame);

private:
    VideoDataOutput(Queue& queue, FrameHandler handler) : queue_(queue), handler_(std::move(handler)) {}

    void deliver();

    Queue& queue_;
    const FrameHandler handler_;
    std::mutex mutex_;
    cv::Mat latest_;
    bool deliveryScheduled_ = false;
};

}  // namespace spinewise
