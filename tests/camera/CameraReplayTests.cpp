#include "camera/Camera.hpp"
#include "camera/DriverCaptureBackend.hpp"
#include "camera/ReplayDriver.hpp"
#include "CameraTestSupport.hpp"
#include "FrameReceiver.hpp"
#include "ReplayFixtures.hpp"
#include "foundation/ResourceBundle.hpp"
#include "foundation/VirtualMainQueue.hpp"
#include "settings/Preferences.hpp"
#include "support/TestPreferences.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

/// The camera on replayed clips, with the main queue served by the test.
class CameraReplayTest : public ::testing::Test {
protected:
    /// Serves the main queue until `condition` holds, for up to a few seconds of real time.
    bool serveMainQueueUntil(const std::function<bool()>& condition) {
        return eventually([&] {
            mainQueue.runPending();
            return condition();
        });
    }

    TemporaryDirectory home;
    const std::filesystem::path first = writeImageFolder(home.path() / "first", 3);
    const std::filesystem::path second = writeImageFolder(home.path() / "second", 3);
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen;
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    VirtualMainQueue mainQueue;
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, mainQueue.clock())};
    SessionNotificationRecorder notifications;
    std::shared_ptr<ReplayDriver> driver = std::make_shared<ReplayDriver>(std::vector{first, second});
    std::shared_ptr<FrameReceiver> receiver = std::make_shared<FrameReceiver>("MonitorController");
    Camera camera{std::make_unique<DriverCaptureBackend>(std::vector<std::shared_ptr<const CaptureDriver>>{driver}, 0.01),
                  CameraEnvironment{mainQueue, preferences, *alerts, mainQueue.clock()}};
};

TEST_F(CameraReplayTest, StoppingDoesNotWaitForAFrameCallbackUnderWay) {
    receiver->holdFirstFrame();
    camera.startCapture(receiver);
    ASSERT_TRUE(receiver->waitUntilHolding());

    const auto begin = std::chrono::steady_clock::now();
    camera.stopCapture();
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    receiver->release();

    EXPECT_LT(took, 0.5);
    EXPECT_FALSE(camera.isSessionRunning());
    mainQueue.runPending();
    EXPECT_THAT(notifications.names, ElementsAre("sessionDidStartRunning", "sessionDidStopRunning"));
}

TEST_F(CameraReplayTest, UnpluggingTheDeviceInUseRemovesTheInputWhileTheOtherStaysListed) {
    ASSERT_EQ(camera.videoInputDevice(), (VideoDevice{replayID(first), "first"}));
    camera.startCapture(receiver);
    ASSERT_TRUE(eventually([&] { return receiver->frameCount() > 0; }));

    driver->unplug(replayID(first));
    ASSERT_TRUE(serveMainQueueUntil([&] { return !camera.videoInputDevice(); }));
    EXPECT_EQ(camera.videoDevices(), (std::vector{VideoDevice{replayID(second), "second"}}));
    EXPECT_TRUE(camera.isSessionRunning());
    EXPECT_THAT(alerts->texts, IsEmpty());

    camera.selectVideoDevice(VideoDevice{replayID(second), "second"});
    const auto before = receiver->frameCount();
    EXPECT_TRUE(eventually([&] { return receiver->frameCount() > before + 1; }));
    EXPECT_EQ(preferences.selectedVideoDeviceUID(), replayID(second));
}

TEST_F(CameraReplayTest, AFailureOfTheDeviceIsAnAlertAndAnnouncedStop) {
    camera.startCapture(receiver);
    ASSERT_TRUE(eventually([&] { return receiver->frameCount() > 0; }));

    driver->fail(replayID(first), "The replayed camera broke.");
    ASSERT_TRUE(serveMainQueueUntil([&] { return notifications.names.size() == 2; }));
    EXPECT_THAT(alerts->texts, ElementsAre("The replayed camera broke."));
    EXPECT_THAT(notifications.names, ElementsAre("sessionDidStartRunning", "sessionDidStopRunning"));
    EXPECT_FALSE(camera.isSessionRunning());
    EXPECT_EQ(camera.lastStop(), std::nullopt);
}

}  // namespace
}  // namespace spinewise::testing
