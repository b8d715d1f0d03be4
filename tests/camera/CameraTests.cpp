#include "camera/Camera.hpp"
#include "CameraTestSupport.hpp"
#include "FrameReceiver.hpp"
#include "ScriptedCaptureBackend.hpp"
#include "foundation/ResourceBundle.hpp"
#include "foundation/VirtualMainQueue.hpp"
#include "settings/Preferences.hpp"
#include "support/TestPreferences.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const VideoDevice kBuiltIn{"usb-Built-in_Camera-video-index0", "Built-in Camera"};
const VideoDevice kExternal{"usb-External_Camera_1234-video-index0", "External Camera"};
const VideoDevice kThird{"usb-Third_Camera-video-index0", "Third Camera"};

constexpr TimeInterval kStart = 800'000'000;

/// A camera on a scripted back end, with its own preferences and a main queue on virtual time.
struct CameraRig {
    /// `script` sets up the back end before the camera is made.
    explicit CameraRig(std::vector<VideoDevice> devices, std::optional<std::string> storedDevice = std::nullopt,
                       const std::function<void(ScriptedCaptureBackend&)>& script = {}) {
        preferences.setSelectedVideoDeviceUID(std::move(storedDevice));
        auto scripted = std::make_unique<ScriptedCaptureBackend>(std::move(devices));
        backend = scripted.get();
        if (script) script(*backend);
        camera = std::make_unique<Camera>(std::move(scripted),
                                          CameraEnvironment{mainQueue, preferences, *alerts, mainQueue.clock()});
    }

    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen;
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    VirtualMainQueue mainQueue{kStart};
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, mainQueue.clock())};
    SessionNotificationRecorder notifications;
    ScriptedCaptureBackend* backend = nullptr;
    std::unique_ptr<Camera> camera;
};

class CameraTest : public ::testing::Test {
protected:
    CameraTest() { log.clear(); }

    LogRecorder log;
    CameraRig rig{{kBuiltIn, kExternal}};
    Camera& camera = *rig.camera;
    ScriptedCaptureBackend& backend = *rig.backend;
    std::shared_ptr<FrameReceiver> monitor = std::make_shared<FrameReceiver>("MonitorController");
    std::shared_ptr<FrameReceiver> preview = std::make_shared<FrameReceiver>("PreviewViewController");
};

TEST(CameraStartUp, TakesTheStoredDeviceWhenConnectedElseTheDefaultWhoseIdReplacesIt) {
    struct Case {
        std::string name;
        std::vector<VideoDevice> devices;
        std::optional<std::string> stored;
        std::optional<VideoDevice> input;
        std::optional<std::string> storedAfterwards;
    };
    const std::vector<Case> cases{
        {"nothing stored", {kBuiltIn, kExternal}, std::nullopt, kBuiltIn, kBuiltIn.uniqueID},
        {"stored device connected", {kBuiltIn, kExternal}, kExternal.uniqueID, kExternal, kExternal.uniqueID},
        {"stored device not connected", {kBuiltIn, kExternal}, "usb-Gone", kBuiltIn, kBuiltIn.uniqueID},
        {"no device at all", {}, "usb-Gone", std::nullopt, "usb-Gone"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CameraRig rig(c.devices, c.stored);
        EXPECT_EQ(rig.camera->videoInputDevice(), c.input);
        EXPECT_EQ(rig.backend->input, c.input);
        EXPECT_EQ(rig.preferences.selectedVideoDeviceUID(), c.storedAfterwards);
        EXPECT_EQ(rig.camera->videoDevices(), c.devices);
        EXPECT_THAT(rig.alerts->texts, IsEmpty());
        EXPECT_FALSE(rig.camera->isSessionRunning());
        EXPECT_EQ(rig.camera->lastStop(), std::nullopt);
    }
}

TEST(CameraStartUp, ABackEndThatRefusesTheOutputIsAnAlert) {
    CameraRig rig({kBuiltIn}, std::nullopt, [](ScriptedCaptureBackend& backend) { backend.refuseOutput = true; });
    EXPECT_THAT(rig.alerts->texts, ElementsAre("Cannot add output to the session"));
    EXPECT_EQ(rig.camera->videoInputDevice(), kBuiltIn);
}

TEST_F(CameraTest, StartWritesItsLinesStartsTheSessionAndAnnouncesItLaterOnTheMainQueue) {
    camera.startCapture(monitor);

    EXPECT_THAT(log.lines(), ElementsAre("Session start", "Camera delegate: MonitorController"));
    EXPECT_TRUE(camera.isSessionRunning());
    EXPECT_THAT(rig.notifications.names, IsEmpty());
    rig.mainQueue.runPending();
    EXPECT_THAT(rig.notifications.names, ElementsAre("sessionDidStartRunning"));
}

TEST_F(CameraTest, FramesReachTheReceiverOnTheFrameQueueWithTheWholeFrameAsCleanAperture) {
    camera.startCapture(monitor);
    backend.capture(numberedFrame(7, {320, 240}));

    ASSERT_TRUE(eventually([&] { return monitor->frameCount() == 1; }));
    const auto frame = monitor->frames().front();
    EXPECT_EQ(frame.number, 7);
    EXPECT_EQ(frame.cleanAperture, (Rect{0, 0, 320, 240}));
    EXPECT_NE(frame.thread, std::this_thread::get_id());
}

TEST_F(CameraTest, StartWhileRunningForAnotherReceiverChangesNothing) {
    camera.startCapture(monitor);
    rig.mainQueue.runPending();
    log.clear();

    camera.startCapture(preview);
    rig.mainQueue.runPending();
    backend.capture(numberedFrame(1));

    ASSERT_TRUE(eventually([&] { return monitor->frameCount() == 1; }));
    EXPECT_EQ(preview->frameCount(), 0u);
    EXPECT_THAT(log.lines(), IsEmpty());
    EXPECT_EQ(backend.startCount, 1);
    EXPECT_THAT(rig.notifications.names, ElementsAre("sessionDidStartRunning"));
}

TEST_F(CameraTest, StopRecordsTheTimeAndAStopOnAnIdleCameraDoesNothing) {
    camera.stopCapture();
    EXPECT_EQ(camera.lastStop(), std::nullopt);

    camera.startCapture(monitor);
    rig.mainQueue.advance(5);
    log.clear();
    camera.stopCapture();
    EXPECT_THAT(log.lines(), ElementsAre("Session stop"));
    EXPECT_EQ(camera.lastStop(), kStart + 5);
    EXPECT_FALSE(camera.isSessionRunning());

    rig.mainQueue.advance(3);
    camera.stopCapture();
    rig.mainQueue.runPending();
    EXPECT_THAT(log.lines(), ElementsAre("Session stop"));
    EXPECT_EQ(camera.lastStop(), kStart + 5);
    EXPECT_THAT(rig.notifications.names, ElementsAre("sessionDidStartRunning", "sessionDidStopRunning"));
}

TEST_F(CameraTest, EveryStartAndStopIsAnnouncedOnceAlsoAStopTheSessionMakesByItself) {
    camera.startCapture(monitor);
    camera.stopCapture();
    camera.startCapture(preview);
    backend.fail(CaptureError::make(CaptureErrorCode::readFailed, "The camera stopped delivering pictures."));
    rig.mainQueue.runPending();

    EXPECT_THAT(rig.notifications.names, ElementsAre("sessionDidStartRunning", "sessionDidStopRunning",
                                                     "sessionDidStartRunning", "sessionDidStopRunning"));
    EXPECT_THAT(rig.alerts->texts, ElementsAre("The camera stopped delivering pictures."));
    EXPECT_EQ(camera.lastStop(), kStart);
    EXPECT_FALSE(camera.isSessionRunning());

    log.clear();
    camera.startCapture(monitor);
    EXPECT_THAT(log.lines(), ElementsAre("Session start", "Camera delegate: MonitorController"));
}

TEST_F(CameraTest, ARuntimeErrorReportedAfterTheCameraWentAwayShowsNothing) {
    backend.fail(CaptureError::make(CaptureErrorCode::readFailed, "Too late"));
    rig.camera.reset();
    rig.mainQueue.runPending();
    EXPECT_THAT(rig.alerts->texts, IsEmpty());
}

TEST_F(CameraTest, ASecondDeviceJoinsTheListWithoutChangingTheInput) {
    backend.plugIn(kThird);
    EXPECT_EQ(camera.videoDevices().size(), 2u);
    rig.mainQueue.runPending();

    EXPECT_EQ(camera.videoDevices(), (std::vector{kBuiltIn, kExternal, kThird}));
    EXPECT_EQ(camera.videoInputDevice(), kBuiltIn);
    EXPECT_EQ(backend.input, kBuiltIn);
}

TEST_F(CameraTest, TheDeviceInUseUnpluggedWhileAnotherRemainsLeavesNoInputAndNoAlert) {
    camera.startCapture(monitor);
    backend.unplug(kBuiltIn.uniqueID);
    rig.mainQueue.runPending();

    EXPECT_EQ(camera.videoDevices(), (std::vector{kExternal}));
    EXPECT_EQ(camera.videoInputDevice(), std::nullopt);
    EXPECT_EQ(backend.input, std::nullopt);
    EXPECT_TRUE(camera.isSessionRunning());
    EXPECT_THAT(rig.alerts->texts, IsEmpty());
    EXPECT_EQ(rig.preferences.selectedVideoDeviceUID(), kBuiltIn.uniqueID);
}

TEST_F(CameraTest, ADeviceNotInUseUnpluggedOnlyLeavesTheList) {
    backend.unplug(kExternal.uniqueID);
    rig.mainQueue.runPending();

    EXPECT_EQ(camera.videoDevices(), (std::vector{kBuiltIn}));
    EXPECT_EQ(camera.videoInputDevice(), kBuiltIn);
}

TEST_F(CameraTest, TheLastDeviceGoneIsAnAlert) {
    backend.unplug(kExternal.uniqueID);
    backend.unplug(kBuiltIn.uniqueID);
    rig.mainQueue.runPending();

    EXPECT_THAT(camera.videoDevices(), IsEmpty());
    EXPECT_EQ(camera.videoInputDevice(), std::nullopt);
    EXPECT_THAT(rig.alerts->texts, ElementsAre("No video devices available"));
}

TEST_F(CameraTest, ACameraPluggedInWhileThereIsNoInputIsListedButNotChosen) {
    backend.unplug(kExternal.uniqueID);
    backend.unplug(kBuiltIn.uniqueID);
    backend.plugIn(kThird);
    rig.mainQueue.runPending();

    EXPECT_EQ(camera.videoDevices(), (std::vector{kThird}));
    EXPECT_EQ(camera.videoInputDevice(), std::nullopt);
}

TEST_F(CameraTest, SelectingADeviceReplacesTheInputAndStoresItsId) {
    camera.selectVideoDevice(kExternal);

    EXPECT_EQ(camera.videoInputDevice(), kExternal);
    EXPECT_EQ(backend.input, kExternal);
    EXPECT_EQ(rig.preferences.selectedVideoDeviceUID(), kExternal.uniqueID);
    EXPECT_THAT(rig.alerts->texts, IsEmpty());
}

TEST_F(CameraTest, SelectingNoneRemovesTheInputAndKeepsTheStoredId) {
    camera.selectVideoDevice(std::nullopt);

    EXPECT_EQ(camera.videoInputDevice(), std::nullopt);
    EXPECT_EQ(backend.input, std::nullopt);
    EXPECT_EQ(rig.preferences.selectedVideoDeviceUID(), kBuiltIn.uniqueID);
}

TEST(CameraSelection, ADeviceThatCannotBeAttachedIsAnAlertAndLeavesNoInput) {
    struct Case {
        std::string name;
        std::function<void(ScriptedCaptureBackend&)> script;
        std::string alert;
    };
    const std::vector<Case> cases{
        {"device error",
         [](ScriptedCaptureBackend& backend) {
             backend.attachErrors[kExternal.uniqueID] = CaptureError::make(
                 CaptureErrorCode::deviceBusy, "The camera \"External Camera\" is in use by another program.");
         },
         "The camera \"External Camera\" is in use by another program."},
        {"input refused", [](ScriptedCaptureBackend& backend) { backend.refuseInputs = true; },
         "Cannot add input to AVCaptureSession"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CameraRig rig({kBuiltIn, kExternal});
        c.script(*rig.backend);
        rig.camera->selectVideoDevice(kExternal);

        EXPECT_THAT(rig.alerts->texts, ElementsAre(c.alert));
        EXPECT_EQ(rig.camera->videoInputDevice(), std::nullopt);
        EXPECT_EQ(rig.backend->input, std::nullopt);
        EXPECT_EQ(rig.preferences.selectedVideoDeviceUID(), kBuiltIn.uniqueID);
    }
}

TEST_F(CameraTest, StartAndStopOffTheMainThreadStopTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(std::thread([&] { camera.startCapture(monitor); }).join(),
                 "Camera::startCapture called off the main thread");
    camera.startCapture(monitor);
    EXPECT_DEATH(std::thread([&] { camera.stopCapture(); }).join(), "Camera::stopCapture called off the main thread");
}

TEST(CameraShared, StopsTheProgramWhenUsedBeforeTheProgramInstalledItsMainQueue) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(Camera::shared(), "No main queue installed before the camera was used");
}

}  // namespace
}  // namespace spinewise::testing
