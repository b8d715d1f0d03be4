#pragma once

#include "foundation/NotificationCenter.hpp"
#include "foundation/ObserverRegistry.hpp"
#include "foundation/OperationQueue.hpp"
#include "foundation/Queue.hpp"
#include "foundation/Screen.hpp"
#include "monitoring/FramePostureClassifier.hpp"
#include "monitoring/Monitor.hpp"
#include "monitoring/MonitorControllerDelegate.hpp"
#include "monitoring/MonitorDatasource.hpp"
#include "monitoring/MonitorDelegate.hpp"
#include "monitoring/MonitorMode.hpp"
#include "posture/Detector.hpp"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace spinewise {

class Camera;
class Preferences;
class ThrottledFrameReceiver;

/// What the monitor controller takes from the program. All of it outlives
/// the controller and every frame in flight.
struct MonitorControllerEnvironment {
    /// The main thread's queue: its clock is "now", the modes' timers fire there.
    Queue& mainQueue;
    /// Over mainQueue: frames are classified there.
    OperationQueue& mainOperationQueue;
    /// Measures the frame throttle's delay.
    Queue& throttleDelayQueue;
    /// Where the scheduled mode's steps start.
    Queue& stepQueue;
    Camera& camera;
    Preferences& preferences;
    const MainScreen& mainScreen;
    /// The default centre: the camera's session notifications arrive there.
    NotificationCenter& notifications;
    /// Screen sleep and wake (WorkspaceNotifications).
    NotificationCenter& workspaceNotifications;
};

/// The heart of the monitoring engine. It owns the current mode object,
/// which decides when the camera runs and when a posture counts; it starts
/// and stops the camera when the mode asks, turns the frames into the current
/// posture, takes the postures the mode confirms (the delayed posture),
/// records confirmed correct and poor postures in the history, and reports
/// both kinds of change to its delegate.
///
/// "scheduleInterval" selects the mode the next start() creates; while the
/// controller runs, screen sleep and wake stop and restart the mode object;
/// every start or stop of the camera session clears both postures.
///
/// Main thread only. Frames arrive on the camera's frame queue, which waits
/// while the main thread classifies one; the main thread never waits for it.
class MonitorController final : public MonitorDatasource,
                                public MonitorDelegate,
                                public std::enable_shared_from_this<MonitorController> {
public:
    using Mode = MonitorMode;

    /// Frames are classified at most once per this many seconds.
    static constexpr TimeInterval kFrameInterval = 0.3;

    /// Follows "scheduleInterval" from now on and starts monitoring unless
    /// the setting selects manual mode.
    static std::shared_ptr<MonitorController> make(MonitorControllerEnvironment environment, Detector detector);

    /// The program's controller: the shared camera, settings and main screen,
    /// the default and workspace notification centres, and queues of its own
    /// over `mainQueue`, which must be the main queue the camera was given
    /// (CameraProgramEnvironment).
    static std::shared_ptr<MonitorController> makeForProgram(Queue& mainQueue, Detector detector = Detector());

    ~MonitorController() override;
    MonitorController(const MonitorController&) = delete;
    MonitorController& operator=(const MonitorController&) = delete;

    void setDelegate(std::weak_ptr<MonitorControllerDelegate> delegate) { delegate_ = std::move(delegate); }

    /// Replaces the mode object by a fresh one for mode() and starts it. Not
    /// from inside a call the mode object makes (a delegate call it causes):
    /// that would destroy the mode object under way.
    void start();
    /// Stops the mode object, which stays in place, paused: screen sleep and
    /// wake leave it alone until the next start().
    void stop();

    /// True after start(), false after stop(); screen sleep and wake leave it alone.
    bool isRunning() const { return isRunning_; }
    /// The mode the next start() creates.
    Mode mode() const { return mode_; }

    /// The posture of the latest classified frame, whose start is the moment
    /// its state began; nothing since the camera last started or stopped.
    const std::optional<Posture>& posture() const { return posture_; }
    /// The last posture the mode confirmed.
    const std::optional<Posture>& delayedPosture() const { return delayedPosture_; }

    /// Keeps the current posture, start included, when the state is the same;
    /// otherwise stores it, writes a line naming the state and tells the delegate.
    void setPosture(std::optional<Posture> posture);
    /// Likewise for the confirmed posture; a new correct or poor one is also
    /// appended to the history.
    void setDelayedPosture(std::optional<Posture> posture);

    std::string description() const { return "MonitorController"; }

    // MonitorDatasource and MonitorDelegate: the mode object's side.
    std::optional<Posture> currentPosture(Monitor& monitor) override;
    void monitorDidConfirm(Monitor& monitor, const Posture& posture) override;
    void monitorDidStartWatching(Monitor& monitor) override;
    void monitorDidStopWatching(Monitor& monitor) override;

private:
    MonitorController(MonitorControllerEnvironment environment, Detector detector);

    void followSettingsAndSystem();
    void changeMonitor(const std::function<void(std::unique_ptr<Monitor>&)>& change);
    void modeFromSetting();
    void classifyFrame(const cv::Mat& frame, Rect cleanAperture);
    void clearPostures();
    void requireMainThread(const char* operation) const;

    MonitorControllerEnvironment environment_;
    std::weak_ptr<MonitorControllerDelegate> delegate_;
    bool isRunning_ = false;
    Mode mode_ = Mode::scheduled;
    std::unique_ptr<Monitor> monitor_;
    FramePostureClassifier classifier_;
    std::optional<Posture> posture_;
    std::optional<Posture> delayedPosture_;
    // The camera's receiver. It reaches the controller only through a weak
    // reference, so a frame in flight never keeps the controller alive.
    std::shared_ptr<ThrottledFrameReceiver> frameReceiver_;
    // Last: removed first when the controller goes.
    std::vector<ObservationToken> observations_;
};

}  // namespace spinewise
