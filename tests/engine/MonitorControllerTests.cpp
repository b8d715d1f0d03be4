// The monitor controller on virtual time: the mode from the setting, start
// and stop, the two postures and the history, screens and camera sessions,
// and frames that arrive too late.
#include "EngineTestSupport.hpp"

#include <limits>
#include <utility>

namespace spinewise::testing {
namespace {

using Mode = MonitorController::Mode;
using State = Posture::State;

Lines startLines(TimeInterval time, const std::string& description) {
    const auto line = at(time) + "log Current monitor: " + description;
    return {line, line, line, at(time) + "log Session start", at(time) + "log Camera delegate: MonitorController"};
}

struct ModeCase {
    double scheduleInterval;
    Mode mode;
    std::string description;  ///< of the mode object started at construction; empty when none is
};

void PrintTo(const ModeCase& modeCase, std::ostream* out) { *out << "scheduleInterval " << modeCase.scheduleInterval; }

class ModeFromSettingTest : public MonitorControllerTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeFromSettingTest, ConstructionStartsTheModeOfTheSettingUnlessItIsManual) {
    const auto& [interval, mode, description] = GetParam();
    preferences.setScheduleInterval(interval);
    transcript.clear();
    controller = makeController();

    EXPECT_EQ(controller->mode(), mode);
    const bool starts = !description.empty();
    EXPECT_EQ(controller->isRunning(), starts);
    EXPECT_EQ(camera.isSessionRunning(), starts);
    EXPECT_EQ(transcript.lines(), starts ? startLines(kStart, description) : Lines{});
}

INSTANTIATE_TEST_SUITE_P(Intervals, ModeFromSettingTest,
                         ::testing::Values(ModeCase{0, Mode::live, "Real Time"},
                                           ModeCase{1, Mode::scheduled, "Scheduled"},
                                           ModeCase{2.5, Mode::scheduled, "Scheduled"},
                                           ModeCase{5, Mode::scheduled, "Scheduled"},
                                           ModeCase{6, Mode::manual, ""}));

TEST_F(MonitorControllerTest, AManualControllerStaysIdleUntilTheFirstStartWhichBeginsACheck) {
    preferences.setScheduleInterval(6);
    controller = makeController();
    transcript.clear();

    controller->start();
    EXPECT_TRUE(controller->isRunning());
    EXPECT_EQ(transcript.lines(), startLines(kStart, "Manual"));
}

TEST_F(MonitorControllerTest, AnIntervalThatSelectsNoModeKeepsThePreviousMode) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    for (const double interval : {-1.0, 0.5, 5.5, 7.0, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(interval);
        preferences.setScheduleInterval(interval);
        EXPECT_EQ(controller->mode(), Mode::live);
    }
    preferences.setScheduleInterval(6);
    EXPECT_EQ(controller->mode(), Mode::manual);
}

TEST_F(MonitorControllerTest, ASettingChangeLeavesTheRunningModeObjectUntilTheNextStart) {
    controller = makeController();  // scheduled, every minute
    main.runPending();
    transcript.clear();

    preferences.setScheduleInterval(0);
    EXPECT_EQ(controller->mode(), Mode::live);
    EXPECT_TRUE(controller->isRunning());
    EXPECT_EQ(transcript.lines(), Lines{});

    // Still the scheduled burst: an upright user is let go after five seconds
    // (and, as the standby now reads 0 minutes, watched again at once).
    for (int frame = 0; frame < 25; ++frame) showFace(kUprightFace);
    EXPECT_EQ(transcript.linesWith("Stop monitoring due to correct posture").size(), 1u);

    transcript.clear();
    controller->start();
    const auto now = main.clock().now();
    auto expected = startLines(now, "Real Time");
    expected.insert(expected.begin(), at(now) + "log Session stop");
    EXPECT_EQ(transcript.lines(), expected);
}

TEST_F(MonitorControllerTest, StartStopsTheRunningModeObjectBeforeReplacingIt) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    main.runPending();
    transcript.clear();

    controller->start();
    auto expected = startLines(kStart, "Real Time");
    expected.insert(expected.begin(), at(kStart) + "log Session stop");
    EXPECT_EQ(transcript.lines(), expected);
}

TEST_F(MonitorControllerTest, CurrentPostureChangesWithItsStateOnlyAndKeepsTheStartOfTheState) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    main.runPending();
    transcript.clear();

    const auto slumped = showFace(kSlumpedFace);
    showFace(kSlumpedFace);
    ASSERT_TRUE(controller->posture());
    EXPECT_EQ(controller->posture()->state, State::poor);
    EXPECT_EQ(controller->posture()->start, slumped);

    const auto upright = showFace(kUprightFace);
    const auto gone = showFace(std::nullopt);
    EXPECT_EQ(transcript.linesWith("osture"),
              (Lines{at(slumped) + "log Posture.State.poor", at(slumped) + "posture poor",
                     at(upright) + "log Posture.State.correct", at(upright) + "posture correct",
                     at(gone) + "log Posture.State.unknown", at(gone) + "posture unknown"}));
    EXPECT_EQ(controller->posture()->start, gone);
    EXPECT_FALSE(controller->posture()->detectedFace);
}

TEST_F(MonitorControllerTest, SettingTheSameStateAgainChangesNothingAndReportsNothing) {
    preferences.setScheduleInterval(6);
    controller = makeController();
    controller->setPosture(Posture{State::poor, 10, std::nullopt});
    controller->setDelayedPosture(Posture{State::poor, 10, std::nullopt});
    transcript.clear();

    controller->setPosture(Posture{State::poor, 20, std::nullopt});
    controller->setDelayedPosture(Posture{State::poor, 20, std::nullopt});
    EXPECT_EQ(transcript.lines(), Lines{});
    EXPECT_EQ(controller->posture()->start, 10);
    EXPECT_EQ(controller->delayedPosture()->start, 10);
    EXPECT_EQ(history().size(), 1u);

    for (int twice = 0; twice < 2; ++twice) {
        controller->setPosture(std::nullopt);
        controller->setDelayedPosture(std::nullopt);
    }
    EXPECT_EQ(transcript.lines(), (Lines{at(kStart) + "log nil", at(kStart) + "posture nil",
                                         at(kStart) + "confirmed nil"}));
}

TEST_F(MonitorControllerTest, PostureSettersStopTheProgramOffTheMainThread) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    preferences.setScheduleInterval(6);
    controller = makeController();
    const Posture poor{State::poor, 0, std::nullopt};
    EXPECT_DEATH(std::thread([&] { controller->setPosture(poor); }).join(),
                 "Fatal error: MonitorController::setPosture called off the main thread");
    EXPECT_DEATH(std::thread([&] { controller->setDelayedPosture(poor); }).join(),
                 "Fatal error: MonitorController::setDelayedPosture called off the main thread");
}

/// Confirmation i has start 100 + i; the history holds (state, start) pairs.
struct HistoryCase {
    std::string name;
    std::vector<std::optional<State>> confirmations;  ///< nothing: the confirmed posture is cleared
    std::vector<std::pair<State, TimeInterval>> history;
};

void PrintTo(const HistoryCase& historyCase, std::ostream* out) { *out << historyCase.name; }

class HistoryTest : public MonitorControllerTest, public ::testing::WithParamInterface<HistoryCase> {};

TEST_P(HistoryTest, GetsEachNewlyConfirmedCorrectOrPoorPostureWithItsStart) {
    preferences.setScheduleInterval(6);
    controller = makeController();
    transcript.clear();
    TimeInterval start = 100;
    for (const auto& state : GetParam().confirmations) {
        controller->setDelayedPosture(state ? std::optional(Posture{*state, start, std::nullopt}) : std::nullopt);
        ++start;
    }

    std::vector<std::pair<State, TimeInterval>> recorded;
    for (const auto& posture : history()) recorded.emplace_back(posture.state, posture.start);
    EXPECT_EQ(recorded, GetParam().history);
    EXPECT_EQ(transcript.linesWith("historyDidChange").size(), GetParam().history.size());
}

INSTANTIATE_TEST_SUITE_P(
    Confirmations, HistoryTest,
    ::testing::Values(
        HistoryCase{"RepeatedPoor", {State::poor, State::poor, State::poor}, {{State::poor, 100}}},
        HistoryCase{"PoorCorrectPoor",
                    {State::poor, State::correct, State::poor},
                    {{State::poor, 100}, {State::correct, 101}, {State::poor, 102}}},
        HistoryCase{"UnknownNever", {State::unknown, State::unknown}, {}},
        HistoryCase{"PoorAfterUnknown",
                    {State::poor, State::unknown, State::poor},
                    {{State::poor, 100}, {State::poor, 102}}},
        HistoryCase{"CorrectAfterClearing",
                    {State::correct, std::nullopt, State::correct},
                    {{State::correct, 100}, {State::correct, 102}}}),
    [](const ::testing::TestParamInfo<HistoryCase>& param) { return param.param.name; });

TEST_F(MonitorControllerTest, ALastingPoorPostureConfirmedEverySecondIsReportedAndRecordedOnce) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    main.runPending();
    transcript.clear();

    const auto slumped = showFace(kSlumpedFace);
    for (int frame = 0; frame < 20; ++frame) showFace(kSlumpedFace);  // about six seconds more
    EXPECT_EQ(transcript.linesWith("confirmed"), Lines{at(kStart + 3) + "confirmed poor"});
    EXPECT_EQ(transcript.linesWith("historyDidChange"), Lines{at(kStart + 3) + "historyDidChange"});
    ASSERT_EQ(history().size(), 1u);
    EXPECT_EQ(history().front().state, State::poor);
    EXPECT_EQ(history().front().start, slumped);
}

TEST_F(MonitorControllerTest, ScreenSleepStopsTheRunningModeObjectAndWakeStartsIt) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    main.runPending();

    workspace.post(WorkspaceNotifications::screensDidSleep);
    EXPECT_FALSE(camera.isSessionRunning());
    EXPECT_TRUE(controller->isRunning());
    workspace.post(WorkspaceNotifications::screensDidWake);
    EXPECT_TRUE(camera.isSessionRunning());
    EXPECT_TRUE(controller->isRunning());

    // The woken live mode judges the posture again.
    transcript.clear();
    for (int frame = 0; frame < 12; ++frame) showFace(kSlumpedFace);
    EXPECT_EQ(transcript.linesWith("confirmed poor").size(), 1u);
}

/// Another receiver of the camera, as the calibration preview is.
class PreviewStandIn final : public CameraDelegate {
public:
    void camera(Camera&, const cv::Mat&, Rect) override {}
    std::string description() const override { return "PreviewViewController"; }
};

TEST_F(MonitorControllerTest, APausedControllerLeavesTheCameraAloneThroughScreenSleepAndWake) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    controller->stop();
    main.runPending();

    workspace.post(WorkspaceNotifications::screensDidSleep);
    workspace.post(WorkspaceNotifications::screensDidWake);
    EXPECT_FALSE(camera.isSessionRunning());  // monitoring stays paused

    const auto preview = std::make_shared<PreviewStandIn>();
    camera.startCapture(preview);
    transcript.clear();
    workspace.post(WorkspaceNotifications::screensDidSleep);
    EXPECT_TRUE(camera.isSessionRunning());  // the preview keeps its camera
    workspace.post(WorkspaceNotifications::screensDidWake);
    EXPECT_EQ(transcript.lines(), Lines{});
    EXPECT_FALSE(controller->isRunning());
}

TEST_F(MonitorControllerTest, ANeverStartedControllerIgnoresScreenSleepAndWake) {
    preferences.setScheduleInterval(6);
    controller = makeController();
    workspace.post(WorkspaceNotifications::screensDidSleep);
    workspace.post(WorkspaceNotifications::screensDidWake);
    EXPECT_FALSE(camera.isSessionRunning());
    EXPECT_EQ(transcript.linesWith("Session"), Lines{});
}

TEST_F(MonitorControllerTest, EveryStartAndStopOfTheSessionClearsBothPostures) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    main.runPending();
    for (int frame = 0; frame < 12; ++frame) showFace(kSlumpedFace);
    ASSERT_TRUE(controller->delayedPosture());
    transcript.clear();

    backend->fail({"domain", 1, "The camera went away"});  // the session stops by itself
    main.runPending();
    const auto stopped = at(main.clock().now());
    EXPECT_EQ(transcript.lines(), (Lines{stopped + "log nil", stopped + "posture nil", stopped + "confirmed nil"}));

    // A stale posture is cleared when the session starts again.
    controller->setPosture(Posture{State::correct, 0, std::nullopt});
    transcript.clear();
    controller->start();
    main.runPending();
    EXPECT_EQ(transcript.linesWith("posture"), Lines{stopped + "posture nil"});
    EXPECT_FALSE(controller->posture());
}

TEST_F(MonitorControllerTest, AFrameClassifiedAfterTheSessionStoppedIsDropped) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    main.runPending();
    transcript.clear();

    captureQueued(kSlumpedFace);
    controller->stop();
    main.advance(MonitorController::kFrameInterval);

    EXPECT_EQ(transcript.linesWith("posture"), Lines{});
    EXPECT_FALSE(controller->posture());
    EXPECT_EQ(mainOperations.operationCount(), 0u);  // the frame queue was let go
}

TEST_F(MonitorControllerTest, TheControllerGoesAtOnceWithAFrameInFlightWhichIsThenDropped) {
    preferences.setScheduleInterval(0);
    controller = makeController();
    main.runPending();
    transcript.clear();

    captureQueued(kSlumpedFace);
    const std::weak_ptr<MonitorController> gone = controller;
    controller.reset();
    EXPECT_TRUE(gone.expired());

    main.advance(MonitorController::kFrameInterval);
    EXPECT_EQ(transcript.linesWith("osture"), Lines{});
    EXPECT_EQ(mainOperations.operationCount(), 0u);
}

/// A main screen the test can take away.
class SwitchableScreen final : public MainScreen {
public:
    std::optional<Rect> frame() const override { return frame_; }
    std::optional<Rect> frame_ = Rect{0, 0, 1440, 900};
};

TEST_F(MonitorControllerTest, EachFrameIsJudgedAgainstTheScreenAndEyeLevelOfItsMoment) {
    SwitchableScreen switchable;
    preferences.setScheduleInterval(0);
    controller = MonitorController::make(
        {main, mainOperations, main, main, camera, preferences, switchable, NotificationCenter::defaultCenter(),
         workspace},
        Detector(std::make_unique<ScriptedFaceDetector>(faces)));
    main.runPending();

    switchable.frame_.reset();
    showFace(kSlumpedFace);
    EXPECT_FALSE(controller->posture());  // no screen: the frame is skipped

    switchable.frame_ = Rect{0, 0, 1440, 900};
    preferences.setEyeLevelInPercent(0.1);  // 90 points: the slumped eyes (150) are above it
    showFace(kSlumpedFace);
    ASSERT_TRUE(controller->posture());
    EXPECT_EQ(controller->posture()->state, State::correct);

    preferences.setEyeLevelInPercent(0.5);
    showFace(kSlumpedFace);
    EXPECT_EQ(controller->posture()->state, State::poor);
}

TEST_F(MonitorControllerTest, AScheduledCheckConfirmsPoorThenCorrectThenRestsUntilTheNextBurst) {
    controller = makeController();  // scheduled every minute, default thresholds
    main.runPending();
    transcript.clear();

    const auto slumped = showFace(kSlumpedFace);
    for (int frame = 0; frame < 10; ++frame) showFace(kSlumpedFace);  // until about 3.3 s
    const auto upright = showFace(kUprightFace);
    for (int frame = 0; frame < 22; ++frame) showFace(kUprightFace);  // until about 10.2 s

    // Correct for more than five seconds on the tick at 9 s: the burst ends.
    const auto end = at(kStart + 9);
    EXPECT_EQ(transcript.linesWith("confirmed"),
              (Lines{at(kStart + 3) + "confirmed poor", end + "confirmed correct", end + "confirmed nil"}));
    EXPECT_EQ(transcript.linesWith("Session"), Lines{end + "log Session stop"});
    std::vector<std::pair<State, TimeInterval>> recorded;
    for (const auto& posture : history()) recorded.emplace_back(posture.state, posture.start);
    EXPECT_EQ(recorded, (std::vector<std::pair<State, TimeInterval>>{{State::poor, slumped},
                                                                     {State::correct, upright}}));

    main.advance(60);
    EXPECT_TRUE(camera.isSessionRunning());
    EXPECT_EQ(transcript.linesWith("Session").back(), at(kStart + 69) + "log Session start");
}

}  // namespace
}  // namespace spinewise::testing
