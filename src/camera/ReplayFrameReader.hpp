#pragma once

#include "camera/CaptureDriver.hpp"
#include "camera/ReplayClip.hpp"
#include "camera/ReplayDeck.hpp"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace spinewise {

/// Reads a replayed device: the clip's pictures at the clip's rate, as long
/// as the device stays plugged in and is not made to fail.
class ReplayFrameReader final : public FrameReader {
public:
    ReplayFrameReader(std::shared_ptr<ReplayDeck> deck, std::string uniqueID, std::unique_ptr<ReplayClip> clip);

    FrameRead read(std::stop_token stop) override;

private:
    using Moment = std::chrono::steady_clock::time_point;

    const std::shared_ptr<ReplayDeck> deck_;
    const std::string uniqueID_;
    const std::unique_ptr<ReplayClip> clip_;
    const std::chrono::steady_clock::duration interval_;
    Moment due_;
    std::mutex mutex_;
    std::condition_variable_any wake_;
};

}  // namespace spinewise
