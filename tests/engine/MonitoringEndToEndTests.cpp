// The whole engine in real time: the monitor controller in live mode, the
// camera replaying a clip made from a real photograph, the real queues and
// the BlazeFace detector. The only test of the engine that waits for real.
#include "../settings/SettingsTestSupport.hpp"

#include "camera/Camera.hpp"
#include "camera/DriverCaptureBackend.hpp"
#include "camera/ReplayDriver.hpp"
#include "foundation/BackgroundQueue.hpp"
#include "foundation/NotificationCenter.hpp"
#include "foundation/OperationQueue.hpp"
#include "foundation/RunLoopQueue.hpp"
#include "monitoring/MonitorController.hpp"
#include "settings/Preferences.hpp"
#include "support/TestPreferences.hpp"

#include <opencv2/core/utility.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace spinewise::testing {
namespace {

using State = Posture::State;

constexpr int kClipSide = 320;
constexpr int kShift = kClipSide / 4;
constexpr int kFramesPerStretch = 40;  // four seconds at the replay's ten frames a second
constexpr TimeInterval kGiveUpAfter = 20;

/// The picture moved down by `rows`, black above, its bottom cut off.
cv::Mat shiftedDown(const cv::Mat& image, int rows) {
    cv::Mat shifted(image.size(), image.type(), cv::Scalar::all(0));
    image.rowRange(0, image.rows - rows).copyTo(shifted.rowRange(rows, image.rows));
    return shifted;
}

/// Writes a clip into `folder`: the face slumped (moved down) for one
/// stretch, then upright for another.
void writeSlumpThenSitUpClip(const cv::Mat& upright, const std::filesystem::path& folder) {
    const auto slumped = shiftedDown(upright, kShift);
    for (int index = 0; index < 2 * kFramesPerStretch; ++index) {
        std::array<char, 16> name{};
        std::snprintf(name.data(), name.size(), "%03d.jpg", index);
        cv::imwrite((folder / name.data()).string(), index < kFramesPerStretch ? slumped : upright);
    }
}

/// Ends the run once the confirmed posture turned correct after a poor one.
class StopAfterSittingUp final : public MonitorControllerDelegate {
public:
    explicit StopAfterSittingUp(std::function<void()> stop) : stop_(std::move(stop)) {}

    void monitorControllerDidChangePosture(MonitorController&, const std::optional<Posture>&) override {}
    void monitorControllerDidChangeDelayedPosture(MonitorController&, const std::optional<Posture>& posture) override {
        if (!posture) return;
        if (posture->state == State::poor) sawPoor_ = true;
        if (posture->state == State::correct && sawPoor_) stop_();
    }

private:
    std::function<void()> stop_;
    bool sawPoor_ = false;
};

class MonitoringEndToEndTest : public ::testing::Test {
protected:
    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen{Rect{0, 0, 1440, 900}};
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    LogRecorder log;
    RunLoopQueue main;
    OperationQueue mainOperations{main};
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, systemClock())};
    NotificationCenter workspace;
};

TEST_F(MonitoringEndToEndTest, ARealFaceSlumpingAndSittingUpIsRecordedPoorThenCorrect) {
    cv::setNumThreads(1);  // as the programs run the detector
    cv::Mat photo = cv::imread(std::string(SPINEWISE_TESTDATA_DIR) + "/astronaut.png", cv::IMREAD_COLOR);
    ASSERT_FALSE(photo.empty()) << "missing astronaut.png (scripts/fetch-assets.sh)";
    cv::resize(photo, photo, {kClipSide, kClipSide}, 0, 0, cv::INTER_AREA);
    const auto clip = home.path() / "clip";
    std::filesystem::create_directories(clip);
    writeSlumpThenSitUpClip(photo, clip);

    // Calibrated like a user would: the line halfway between the eyes upright
    // and slumped. The square frame fills the screen's height, so a fraction
    // of the frame's height is the same fraction of the screen's.
    const auto eyes = Detector().detectFace(photo);
    ASSERT_TRUE(eyes);
    const double lowerEye = std::min(eyes->leftEyePosition.y, eyes->rightEyePosition.y);
    preferences.setEyeLevelInPercent((lowerEye - kShift / 2.0) / kClipSide);
    preferences.setScheduleInterval(0);
    preferences.setPoorPostureTime(1);
    preferences.setCorrectPostureTime(1);

    std::vector<std::shared_ptr<const CaptureDriver>> drivers{std::make_shared<ReplayDriver>(std::vector{clip})};
    Camera camera(std::make_unique<DriverCaptureBackend>(std::move(drivers)),
                  {main, preferences, *alerts, systemClock()});
    ASSERT_TRUE(camera.videoInputDevice());

    std::shared_ptr<MonitorController> controller;
    bool sawSittingUp = false;
    const auto stopMonitoring = [&] {
        controller->stop();
        // A frame taken up before the stop still waits for the main thread;
        // serve it before the camera goes, which waits for its frame queue.
        main.asyncAfter(1, [&] { main.stop(); });
    };
    const auto delegate = std::make_shared<StopAfterSittingUp>([&] {
        sawSittingUp = true;
        main.async(stopMonitoring);
    });

    const TimeInterval began = systemClock().now();
    controller = MonitorController::make({main, mainOperations, backgroundQueue(), main, camera, preferences, screen,
                                          NotificationCenter::defaultCenter(), workspace},
                                         Detector());
    controller->setDelegate(delegate);
    main.asyncAfter(kGiveUpAfter, stopMonitoring);
    main.run();
    const TimeInterval ended = systemClock().now();

    EXPECT_TRUE(sawSittingUp) << "gave up after " << kGiveUpAfter << " s";
    ASSERT_EQ(preferences.history().size(), 2u);
    const auto& poor = preferences.history()[0];
    const auto& correct = preferences.history()[1];
    EXPECT_EQ(poor.state, State::poor);
    EXPECT_EQ(correct.state, State::correct);
    EXPECT_LE(began, poor.start);
    EXPECT_LT(poor.start, correct.start);
    EXPECT_LE(correct.start, ended);
    EXPECT_FALSE(camera.isSessionRunning());
    EXPECT_TRUE(alerts->texts.empty());
}

}  // namespace
}  // namespace spinewise::testing
