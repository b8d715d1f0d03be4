#pragma once

#include "../camera/ScriptedCaptureBackend.hpp"
#include "../settings/SettingsTestSupport.hpp"

#include "camera/Camera.hpp"
#include "foundation/Log.hpp"
#include "foundation/NotificationCenter.hpp"
#include "foundation/OperationQueue.hpp"
#include "foundation/VirtualMainQueue.hpp"
#include "foundation/WorkspaceNotifications.hpp"
#include "monitoring/MonitorController.hpp"
#include "posture/FaceDetector.hpp"
#include "settings/Preferences.hpp"
#include "support/TestPreferences.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace spinewise::testing {

using Lines = std::vector<std::string>;

inline std::string decimal(double value) {
    std::array<char, 32> number{};
    const auto written = std::to_chars(number.data(), number.data() + number.size(), value);
    return std::string(number.data(), written.ptr);
}

/// The start of a transcript line written at `time`.
inline std::string at(TimeInterval time) { return decimal(time) + " "; }

/// What happened, in order, one "<time> <event>" line each, from any thread.
class Transcript {
public:
    explicit Transcript(const Clock& clock) : clock_(clock) {}

    void add(std::string_view event) {
        const std::lock_guard lock(mutex_);
        lines_.push_back(decimal(clock_.now()) + " " + std::string(event));
    }
    Lines lines() const {
        const std::lock_guard lock(mutex_);
        return lines_;
    }
    /// The lines that contain `word`.
    Lines linesWith(std::string_view word) const {
        Lines found;
        std::ranges::copy_if(lines(), std::back_inserter(found),
                             [word](const std::string& line) { return line.find(word) != std::string::npos; });
        return found;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        lines_.clear();
    }

private:
    const Clock& clock_;
    mutable std::mutex mutex_;
    Lines lines_;
};

/// The face the scripted detector reports for the frames it is shown next.
/// The test sets it; the controller's detector reads it on the main thread.
class FaceScript {
public:
    void set(std::optional<FaceFeature> face) {
        const std::lock_guard lock(mutex_);
        face_ = face;
    }
    std::optional<FaceFeature> get() const {
        const std::lock_guard lock(mutex_);
        return face_;
    }

private:
    mutable std::mutex mutex_;
    std::optional<FaceFeature> face_;
};

class ScriptedFaceDetector final : public FaceDetector {
public:
    explicit ScriptedFaceDetector(std::shared_ptr<const FaceScript> script) : script_(std::move(script)) {}

    std::vector<FaceFeature> features(const cv::Mat&) override {
        if (const auto face = script_->get()) return {*face};
        return {};
    }

private:
    std::shared_ptr<const FaceScript> script_;
};

/// The frames are 160x120; fitted onto the 1440x900 screen they scale by 7.5,
/// so with the eye level at 0.5 (450 points) eyes below row 60 are poor.
inline constexpr int kFrameWidth = 160;
inline constexpr int kFrameHeight = 120;

/// A face with both eyes at height `eyeY` (image coordinates, origin bottom left).
inline FaceFeature faceWithEyesAt(double eyeY) {
    return {Rect{40, eyeY - 40, 80, 60}, Point{60, eyeY}, Point{100, eyeY}};
}
inline const FaceFeature kUprightFace = faceWithEyesAt(100);  // eyes at 750 points: correct
inline const FaceFeature kSlumpedFace = faceWithEyesAt(20);   // eyes at 150 points: poor

/// Writes every delegate call into the transcript: "posture <state>|nil", "confirmed <state>|nil".
class RecordingControllerDelegate final : public MonitorControllerDelegate {
public:
    explicit RecordingControllerDelegate(Transcript& transcript) : transcript_(transcript) {}

    void monitorControllerDidChangePosture(MonitorController&, const std::optional<Posture>& posture) override {
        transcript_.add("posture " + name(posture));
        postures.push_back(posture);
    }
    void monitorControllerDidChangeDelayedPosture(MonitorController&, const std::optional<Posture>& posture) override {
        transcript_.add("confirmed " + name(posture));
    }

    /// The current postures reported, in order.
    std::vector<std::optional<Posture>> postures;

private:
    static std::string name(const std::optional<Posture>& posture) {
        return posture ? std::string(toString(posture->state)) : "nil";
    }

    Transcript& transcript_;
};

inline constexpr TimeInterval kStart = 800'000'000;

/// A monitor controller on virtual time: the main queue starts at kStart,
/// the scheduled mode's steps start on it and the frame throttle measures its
/// delay on it. The camera captures from a scripted back end; the frame queue
/// is the camera's own real thread. The controller's detector answers with
/// the face in `faces`. The main screen is 1440x900, the settings are the
/// defaults (scheduled every minute, eye level 0.5). Diagnostic lines, the
/// delegate's calls and "historyDidChange" share one transcript.
class MonitorControllerTest : public ::testing::Test {
protected:
    inline static const VideoDevice kDevice{"usb-Built-in_Camera-video-index0", "Built-in Camera"};

    ~MonitorControllerTest() override {
        controller.reset();
        main.runPending();  // the session's last notifications
    }

    /// Made with the settings as they are now; it follows them afterwards.
    std::shared_ptr<MonitorController> makeController() {
        auto made = MonitorController::make(
            {
                .mainQueue = main,
                .mainOperationQueue = mainOperations,
                .throttleDelayQueue = main,
                .stepQueue = main,
                .camera = camera,
                .preferences = preferences,
                .mainScreen = screen,
                .notifications = NotificationCenter::defaultCenter(),
                .workspaceNotifications = workspace,
            },
            Detector(std::make_unique<ScriptedFaceDetector>(faces)));
        made->setDelegate(delegate);
        return made;
    }

    /// Captures a frame showing `face` and waits (in real time) until the
    /// frame queue has handed it to the throttle: the throttle's first step
    /// waits on the main queue, which nothing else feeds meanwhile.
    void captureQueued(std::optional<FaceFeature> face) {
        faces->set(face);
        const auto pending = main.pendingTaskCount();
        backend->capture(cv::Mat(kFrameHeight, kFrameWidth, CV_8UC3, cv::Scalar::all(128)));
        while (main.pendingTaskCount() == pending) std::this_thread::yield();
    }

    /// One throttle period: a frame showing `face`, captured when the
    /// session runs and classified after the delay. Returns the time then.
    TimeInterval showFace(std::optional<FaceFeature> face) {
        if (camera.isSessionRunning()) captureQueued(face);
        main.advance(MonitorController::kFrameInterval);
        return main.clock().now();
    }

    const std::vector<Posture>& history() const { return preferences.history(); }

    VirtualMainQueue main{kStart};
    OperationQueue mainOperations{main};
    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen{Rect{0, 0, 1440, 900}};
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    Transcript transcript{main.clock()};
    ScopedLogCapture logCapture{[this](std::string_view line) { transcript.add("log " + std::string(line)); }};
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, main.clock())};
    ScriptedCaptureBackend* backend = nullptr;
    Camera camera{[this] {
                      auto scripted = std::make_unique<ScriptedCaptureBackend>(std::vector{kDevice});
                      backend = scripted.get();
                      return scripted;
                  }(),
                  CameraEnvironment{main, preferences, *alerts, main.clock()}};
    NotificationCenter workspace;
    ObservationToken historyObservation = NotificationCenter::defaultCenter().addObserver(
        std::string(Preferences::Notifications::historyDidChange), [this] { transcript.add("historyDidChange"); });
    std::shared_ptr<FaceScript> faces = std::make_shared<FaceScript>();
    std::shared_ptr<RecordingControllerDelegate> delegate = std::make_shared<RecordingControllerDelegate>(transcript);
    std::shared_ptr<MonitorController> controller;
};

}  // namespace spinewise::testing
