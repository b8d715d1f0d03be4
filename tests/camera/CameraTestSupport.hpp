#pragma once

#include "camera/CaptureBackend.hpp"
#include "support/CommonTestSupport.hpp"
#include "foundation/AlertPresenter.hpp"
#include "foundation/Log.hpp"
#include "foundation/NotificationCenter.hpp"
#include "foundation/Screen.hpp"

#include <opencv2/core.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace spinewise::testing {

/// The session notifications posted on the default centre while it lives, in order.
class SessionNotificationRecorder {
public:
    SessionNotificationRecorder() {
        for (const auto* name : {"sessionDidStartRunning", "sessionDidStopRunning"})
            tokens_.push_back(
                NotificationCenter::defaultCenter().addObserver(name, [this, name] { names.emplace_back(name); }));
    }
    std::vector<std::string> names;

private:
    std::vector<ObservationToken> tokens_;
};

/// Polls `condition` for up to `seconds` of real time.
inline bool eventually(const std::function<bool()>& condition, double seconds = 5) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

/// A frame that carries its number in two flat grey halves (the number's
/// remainder and quotient by 12, in steps of 20), which survive lossy coding.
inline cv::Mat numberedFrame(int number, cv::Size size = {160, 120}) {
    cv::Mat frame(size, CV_8UC3);
    const int half = size.width / 2;
    frame(cv::Rect(0, 0, half, size.height)).setTo(cv::Scalar::all(20.0 * (number % 12)));
    frame(cv::Rect(half, 0, size.width - half, size.height)).setTo(cv::Scalar::all(20.0 * (number / 12)));
    return frame;
}

/// The number numberedFrame() put into a frame, read from the middle of each half.
inline int frameNumber(const cv::Mat& frame) {
    const int half = frame.cols / 2;
    const auto level = [&](int left) {
        const cv::Rect middle(left + half / 4, frame.rows / 4, half / 2, frame.rows / 2);
        return static_cast<int>(std::lround(cv::mean(frame(middle))[0] / 20.0));
    };
    return level(0) + 12 * level(half);
}

/// The events of a capture back end, in order, as text, with a way to wait for one.
class EventLog final : public CaptureEvents {
public:
    void sessionDidStartRunning() override { add("start"); }
    void sessionDidStopRunning() override { add("stop"); }
    void sessionRuntimeError(const CaptureError& error) override { add("error: " + error.description); }
    void deviceWasConnected(const VideoDevice& device) override { add("connected: " + device.uniqueID); }
    void deviceWasDisconnected(const VideoDevice& device) override { add("disconnected: " + device.uniqueID); }

    std::vector<std::string> events() const {
        const std::lock_guard lock(mutex_);
        return events_;
    }
    /// Waits until `event` has been reported.
    bool waitFor(const std::string& event, double seconds = 5) const {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::duration<double>(seconds), [&] {
            return std::find(events_.begin(), events_.end(), event) != events_.end();
        });
    }

private:
    void add(std::string event) {
        const std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
        changed_.notify_all();
    }

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<std::string> events_;
};

}  // namespace spinewise::testing
