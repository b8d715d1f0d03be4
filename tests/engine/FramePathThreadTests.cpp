// The frame path on real threads, for the thread sanitizer: the camera's own
// frame queue, the real throttle with its background delay, and a run-loop
// main queue. Frames come from a scripted back end one at a time.
#include "EngineTestSupport.hpp"

#include "foundation/BackgroundQueue.hpp"
#include "foundation/RunLoopQueue.hpp"
#include "support/TestPreferences.hpp"

#include <chrono>

namespace spinewise::testing {
namespace {

using State = Posture::State;

constexpr int kFrames = 4;

TEST(FramePathOnRealThreads, EachFrameIsClassifiedOnTheMainThreadAThrottlePeriodAfterThePrevious) {
    TemporaryDirectory home;
    auto alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen{Rect{0, 0, 1440, 900}};
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    RunLoopQueue main;
    OperationQueue mainOperations{main};
    Transcript transcript{systemClock()};
    const ScopedLogCapture logCapture{[&](std::string_view line) { transcript.add("log " + std::string(line)); }};
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, systemClock())};
    preferences.setScheduleInterval(0);
    auto scripted = std::make_unique<ScriptedCaptureBackend>(std::vector{VideoDevice{"usb-Cam", "Cam"}});
    auto& backend = *scripted;
    Camera camera(std::move(scripted), {main, preferences, *alerts, systemClock()});
    NotificationCenter workspace;
    auto faces = std::make_shared<FaceScript>();
    auto delegate = std::make_shared<RecordingControllerDelegate>(transcript);

    auto controller = MonitorController::make({main, mainOperations, backgroundQueue(), main, camera, preferences,
                                               screen, NotificationCenter::defaultCenter(), workspace},
                                              Detector(std::make_unique<ScriptedFaceDetector>(faces)));
    controller->setDelegate(delegate);

    // Each frame after the previous one's posture arrived, so none is
    // discarded and none is left in flight when the camera goes.
    bool allClassified = true;
    std::thread frames([&] {
        for (std::size_t frame = 0; frame < kFrames && allClassified; ++frame) {
            faces->set(frame % 2 == 0 ? kSlumpedFace : kUprightFace);
            backend.capture(cv::Mat(kFrameHeight, kFrameWidth, CV_8UC3, cv::Scalar::all(128)));
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (transcript.linesWith("posture ").size() <= frame) {
                if (std::chrono::steady_clock::now() > deadline) allClassified = false;
                if (!allClassified) break;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        main.async([&] {
            controller->stop();
            main.stop();
        });
    });
    main.run();
    frames.join();

    ASSERT_TRUE(allClassified);
    ASSERT_EQ(delegate->postures.size(), static_cast<std::size_t>(kFrames));
    for (std::size_t frame = 0; frame < kFrames; ++frame) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(delegate->postures[frame]->state, frame % 2 == 0 ? State::poor : State::correct);
        // Starts are wall-clock times, the delay is measured on the monotonic
        // clock: allow for the wall clock being slewed meanwhile.
        if (frame > 0) {
            EXPECT_GE(delegate->postures[frame]->start - delegate->postures[frame - 1]->start,
                      MonitorController::kFrameInterval - 0.001);
        }
    }
    EXPECT_FALSE(camera.isSessionRunning());
}

}  // namespace
}  // namespace spinewise::testing
