#pragma once

#include "camera/CaptureBackend.hpp"
#include "camera/VideoDataOutput.hpp"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace spinewise::testing {

/// A capture back end whose devices, refusals and happenings the test
/// scripts. It reports its events synchronously, on the calling thread.
class ScriptedCaptureBackend final : public CaptureBackend {
public:
    explicit ScriptedCaptureBackend(std::vector<VideoDevice> devices) : connected(std::move(devices)) {}

    // The script.
    std::vector<VideoDevice> connected;
    std::map<std::string, CaptureError> attachErrors;
    bool refuseInputs = false;
    bool refuseOutput = false;

    // What the camera did with it.
    std::shared_ptr<VideoDataOutput> output;
    std::optional<VideoDevice> input;
    int startCount = 0;

    void setEvents(CaptureEvents* events) override { events_ = events; }
    std::vector<VideoDevice> devices() const override { return connected; }
    std::optional<VideoDevice> defaultDevice() const override {
        if (connected.empty()) return std::nullopt;
        return connected.front();
    }
    bool addOutput(std::shared_ptr<VideoDataOutput> added) override {
        if (refuseOutput) return false;
        output = std::move(added);
        return true;
    }
    InputAttachment attachInput(const VideoDevice& device) override {
        if (const auto error = attachErrors.find(device.uniqueID); error != attachErrors.end()) return error->second;
        if (refuseInputs || input) return InputRefused{};
        input = device;
        return InputAttached{};
    }
    void detachInput() override { input.reset(); }
    void startRunning() override {
        if (running_) return;
        running_ = true;
        ++startCount;
        events_->sessionDidStartRunning();
    }
    void stopRunning() override {
        if (!running_) return;
        running_ = false;
        events_->sessionDidStopRunning();
    }
    bool isRunning() const override { return running_; }

    // Happenings.
    void plugIn(const VideoDevice& device) {
        connected.push_back(device);
        events_->deviceWasConnected(device);
    }
    void unplug(const std::string& uniqueID) {
        const auto found = std::ranges::find(connected, uniqueID, &VideoDevice::uniqueID);
        const auto device = *found;
        connected.erase(found);
        events_->deviceWasDisconnected(device);
    }
    /// A runtime error, after which the session stops by itself.
    void fail(const CaptureError& error) {
        events_->sessionRuntimeError(error);
        running_ = false;
        events_->sessionDidStopRunning();
    }
    /// A captured frame, delivered while the session runs with an input.
    void capture(cv::Mat frame) {
        if (running_ && input && output) output->offer(std::move(frame));
    }

private:
    CaptureEvents* events_ = nullptr;
    std::atomic<bool> running_ = false;
};

}  // namespace spinewise::testing
