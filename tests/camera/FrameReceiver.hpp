#pragma once

#include "camera/CameraDelegate.hpp"
#include "CameraTestSupport.hpp"

#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace spinewise::testing {

/// A camera delegate that records the frames it gets. It can hold the first
/// frame's callback until released, as a receiver waiting for the main thread does.
class FrameReceiver final : public CameraDelegate {
public:
    struct Frame {
        int number;
        Rect cleanAperture;
        std::thread::id thread;
    };

    explicit FrameReceiver(std::string name) : name_(std::move(name)) {}

    void camera(Camera&, const cv::Mat& frame, Rect cleanAperture) override {
        {
            const std::lock_guard lock(mutex_);
            frames_.push_back({frameNumber(frame), cleanAperture, std::this_thread::get_id()});
        }
        if (holdFirstFrame_ && !held_) {
            held_ = true;
            entered_.set_value();
            released_.wait_for(std::chrono::seconds(10));
        }
    }
    std::string description() const override { return name_; }

    std::vector<Frame> frames() const {
        const std::lock_guard lock(mutex_);
        return frames_;
    }
    std::size_t frameCount() const { return frames().size(); }

    /// Call before the first frame comes.
    void holdFirstFrame() { holdFirstFrame_ = true; }
    /// Waits until the first frame's callback is being held.
    bool waitUntilHolding() { return entered_.get_future().wait_for(std::chrono::seconds(10)) == std::future_status::ready; }
    void release() { release_.set_value(); }

private:
    const std::string name_;
    mutable std::mutex mutex_;
    std::vector<Frame> frames_;
    bool holdFirstFrame_ = false;
    bool held_ = false;
    std::promise<void> entered_;
    std::promise<void> release_;
    std::shared_future<void> released_ = release_.get_future().share();
};

}  // namespace spinewise::testing
