// The calibration tab on virtual time: a scripted camera whose frames cross
// the real frame queue, a scripted face detector (or the real one on a
// photograph), settings, presets and login item under a test home.
#include "windows/calibration/PreviewViewController.hpp"

#include "CalibrationTestSupport.hpp"
#include "engine/EngineTestSupport.hpp"
#include "windows/calibration/CameraChooser.hpp"
#include "windows/calibration/PresetsPopover.hpp"
#include "windows/calibration/PreviewFrameAnalyzer.hpp"
#include "windows/calibration/PreviewView.hpp"

#include "settings/Presets.hpp"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <chrono>
#include <fstream>

namespace spinewise::testing {
namespace {

using State = Posture::State;

/// The preview is 400x300; the scripted frames are 160x120, so they fill it
/// at 2.5 points a pixel, and with the eye level at 0.5 (150 points) eyes
/// below row 60 of a frame are poor: kUprightFace is correct, kSlumpedFace poor.
class CalibrationTabTest : public ::testing::Test {
protected:
    inline static const VideoDevice kBuiltIn{"usb-Built-in_Camera-video-index0", "Built-in Camera"};
    inline static const VideoDevice kExternal{"usb-External_Camera-video-index0", "External Camera"};

    CalibrationTabTest() { tab = makeTab(Detector(std::make_unique<ScriptedFaceDetector>(faces))); }

    std::unique_ptr<PreviewViewController> makeTab(Detector detector) {
        auto made = std::make_unique<PreviewViewController>(
            CalibrationEnvironment{main, camera, preferences, presets,
                                   LoginItem(std::string(LoginItem::kLauncherIdentifier), autostart, kLauncher)},
            std::move(detector));
        made->previewView().setFixedSize(400, 300);
        made->show();
        made->loadViewIfNeeded();
        return made;
    }

    void appear() { tab->viewDidAppear(); }

    /// A frame showing `face` goes through the camera and its frame queue;
    /// the main queue then shows it, at the current virtual time.
    void showFrame(std::optional<FaceFeature> face, cv::Mat frame = cv::Mat(kFrameHeight, kFrameWidth, CV_8UC3,
                                                                            cv::Scalar::all(128))) {
        faces->set(face);
        const auto pending = main.pendingTaskCount();
        backend->capture(std::move(frame));
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (main.pendingTaskCount() == pending) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the frame never reached the main queue";
            std::this_thread::yield();
        }
        main.runPending();
    }

    QImage rendered() const {
        QImage image(tab->previewView().size(), QImage::Format_ARGB32);
        tab->previewView().render(&image);
        return image;
    }
    std::optional<State> state() const {
        const auto& posture = tab->posture().posture();
        return posture ? std::optional(posture->state) : std::nullopt;
    }
    bool textShown() const { return tab->previewView().hud().isNoFaceTextVisible(); }
    const std::optional<MonochromeFilter>& tint() const { return tab->previewView().filter(); }

    inline static const std::filesystem::path kLauncher = "/usr/libexec/spinewise/spinewise-launcher";

    VirtualMainQueue main{kStart};
    TemporaryDirectory home;
    const std::filesystem::path autostart = home.path() / "xdg/autostart";
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
    FakeMainScreen screen{Rect{0, 0, 1440, 900}};
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    Preferences preferences{preferencesEnvironmentIn(home.path(), alerts, screen, resources, main.clock())};
    Presets presets{ApplicationDirectory(home.path() / "data", alerts), main.clock()};
    ScriptedCaptureBackend* backend = nullptr;
    Camera camera{[this] {
                      auto scripted = std::make_unique<ScriptedCaptureBackend>(std::vector{kBuiltIn, kExternal});
                      backend = scripted.get();
                      return scripted;
                  }(),
                  CameraEnvironment{main, preferences, *alerts, main.clock()}};
    std::shared_ptr<FaceScript> faces = std::make_shared<FaceScript>();
    LogRecorder log;
    std::unique_ptr<PreviewViewController> tab;
};

TEST_F(CalibrationTabTest, IsTheCalibrationTab) { EXPECT_EQ(tab->label(), "Calibration"); }

TEST_F(CalibrationTabTest, TakesTheCameraAsItAppearsAndStopsItAsItDisappears) {
    EXPECT_FALSE(camera.isSessionRunning());

    appear();
    EXPECT_TRUE(camera.isSessionRunning());
    EXPECT_THAT(log.lines(), ::testing::Contains("Camera delegate: PreviewViewController"));

    tab->viewDidDisappear();
    EXPECT_FALSE(camera.isSessionRunning());

    appear();
    showFrame(kUprightFace);
    EXPECT_EQ(state(), State::correct);
}

TEST_F(CalibrationTabTest, ShowsTheFrameWithTheFaceMappedOntoThePreview) {
    appear();
    showFrame(kUprightFace);

    // Face (40, 60, 80, 60) and eyes at (60, 100), (100, 100), scaled by 2.5.
    EXPECT_EQ(tab->previewView().hud().detectedFace(),
              (DetectedFace{Rect{100, 150, 200, 150}, Point{150, 250}, Point{250, 250}}));
    EXPECT_EQ(rendered().pixel(5, 5), qRgb(128, 128, 128));
    EXPECT_EQ(tab->posture().posture()->start, kStart);
}

TEST_F(CalibrationTabTest, TintsInTheAlertColourWhilePoorKeepsItWhileTheFaceIsLostAndClearsWhenCorrect) {
    // Taken from the setting as the view loaded, not the initial filter.
    const MonochromeFilter alert = MonochromeFilter::forAlertColor(preferences.notificationColor());
    ASSERT_NE(alert, MonochromeFilter::initial());
    appear();

    showFrame(kUprightFace);
    EXPECT_EQ(tint(), std::nullopt);

    showFrame(kSlumpedFace);
    EXPECT_EQ(state(), State::poor);
    EXPECT_EQ(tint(), alert);

    showFrame(std::nullopt);
    EXPECT_EQ(state(), State::unknown);
    EXPECT_EQ(tint(), alert);
    EXPECT_EQ(tab->previewView().hud().detectedFace(), std::nullopt);

    showFrame(kUprightFace);
    EXPECT_EQ(tint(), std::nullopt);
}

TEST_F(CalibrationTabTest, ANewAlertColourTintsFromTheNextChangeIntoPoorOn) {
    appear();
    showFrame(kSlumpedFace);
    const auto before = tint();

    preferences.setNotificationColor(Color{0, 0, 1, 0.5});
    showFrame(kSlumpedFace);
    EXPECT_EQ(tint(), before);

    showFrame(std::nullopt);
    showFrame(kSlumpedFace);
    EXPECT_EQ(tint(), (MonochromeFilter{Color{0, 0, 1, 1}, 0.8}));
}

TEST_F(CalibrationTabTest, TheNoFaceTextNeverShowsForAFaceMissingBriefly) {
    appear();  // ticks at +0.3, +0.6, ...
    showFrame(kUprightFace);
    main.advance(0.05);
    showFrame(std::nullopt);
    main.advance(0.2);
    showFrame(kUprightFace);

    main.advance(1);
    EXPECT_FALSE(textShown());
}

TEST_F(CalibrationTabTest, TheNoFaceTextShowsAtTheFirstTickAfterTheDelayAndGoesAtTheFirstTickWithAFace) {
    appear();
    showFrame(kUprightFace);
    main.advance(0.05);
    showFrame(std::nullopt);  // lost at +0.05

    main.advance(0.5);  // the tick at +0.3 came too early
    EXPECT_FALSE(textShown());
    main.advance(0.1);  // the tick at +0.6
    EXPECT_TRUE(textShown());

    main.advance(0.45);
    showFrame(kUprightFace);  // back at +1.1
    EXPECT_TRUE(textShown());
    main.advance(0.1);  // the tick at +1.2
    EXPECT_FALSE(textShown());
}

TEST_F(CalibrationTabTest, TheNoFaceTextKeepsItsStateWhileTheTabIsAway) {
    appear();
    showFrame(std::nullopt);
    main.advance(0.6);
    ASSERT_TRUE(textShown());

    tab->viewDidDisappear();
    main.advance(5);
    EXPECT_TRUE(textShown());
}

TEST_F(CalibrationTabTest, SetsTheEyeLevelOnlyStrictlyInsideTheBand) {
    const struct {
        double fraction;
        bool taken;
    } cases[] = {{0.1, false}, {0.9, false}, {0.101, true}, {0.899, true}, {0.5, true}, {0.05, false}, {1.2, false}};
    for (const auto& [fraction, taken] : cases) {
        SCOPED_TRACE(fraction);
        preferences.setEyeLevelInPercent(0.42);
        tab->setEyeLevelFromPointer(fraction);
        EXPECT_EQ(preferences.eyeLevelInPercent(), taken ? fraction : 0.42);
    }
}

TEST_F(CalibrationTabTest, ADragBeyondTheTopLeavesTheLastLevelInsideTheBand) {
    auto& view = tab->previewView();
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(preferences.eyeLevelInPercent(), 0.5);
    QTest::mouseMove(&view, QPoint(200, 60));
    QTest::mouseMove(&view, QPoint(200, -20));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(200, -20));

    EXPECT_DOUBLE_EQ(preferences.eyeLevelInPercent(), 0.8);
}

TEST_F(CalibrationTabTest, TheLineMovesWithTheLevelButOnlyShowsWithAFace) {
    appear();
    showFrame(std::nullopt);
    QTest::mouseClick(&tab->previewView(), Qt::LeftButton, {}, QPoint(200, 60));
    EXPECT_DOUBLE_EQ(preferences.eyeLevelInPercent(), 0.8);
    EXPECT_EQ(yellowPixels(rendered()), 0);

    showFrame(faceWithEyesAt(110));  // eyes at 275 points: above the line at 240
    EXPECT_EQ(state(), State::correct);
    EXPECT_EQ(yellowPixelsInRow(rendered(), 60), 400);

    preferences.setEyeLevelInPercent(0.3);  // as a preset does
    EXPECT_EQ(yellowPixelsInRow(rendered(), 210), 400);
}

TEST_F(CalibrationTabTest, StartAtLoginSwitchesTheLoginItemAndTheSettingFollowsEachSuccess) {
    const auto entry = autostart / "com.brightfold.spinewise-launcher.desktop";

    tab->launchAtLoginBox().click();
    EXPECT_TRUE(preferences.launchAtLogin());
    EXPECT_TRUE(std::filesystem::exists(entry));

    tab->launchAtLoginBox().click();
    EXPECT_FALSE(preferences.launchAtLogin());
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_TRUE(tab->loginItemMessage().text().isEmpty());
}

TEST_F(CalibrationTabTest, AFailedLoginItemChangeShowsTheErrorAndKeepsTheSetting) {
    std::ofstream(home.path() / "xdg") << "a file where the folder should be";

    tab->launchAtLoginBox().click();

    EXPECT_FALSE(preferences.launchAtLogin());
    EXPECT_FALSE(tab->launchAtLoginBox().isChecked());
    EXPECT_EQ(tab->loginItemMessage().text(), "Failed to enable login item.");
    EXPECT_THAT(log.lines(), ::testing::ElementsAre("Failed to enable login item."));
}

TEST_F(CalibrationTabTest, ShowOnStartUpIsBoundToItsSetting) {
    const bool initial = preferences.showPreferencesWindowOnStartUp();
    EXPECT_EQ(tab->showOnStartUpBox().isChecked(), initial);

    tab->showOnStartUpBox().click();
    EXPECT_EQ(preferences.showPreferencesWindowOnStartUp(), !initial);

    preferences.setShowPreferencesWindowOnStartUp(initial);
    EXPECT_EQ(tab->showOnStartUpBox().isChecked(), initial);
}

TEST_F(CalibrationTabTest, TheCameraChooserShowsTheInputAndSelectsThePickedDevice) {
    auto& chooser = tab->cameraChooser();
    ASSERT_EQ(chooser.count(), 2);
    EXPECT_EQ(chooser.itemText(0), "Built-in Camera");
    EXPECT_EQ(chooser.itemText(1), "External Camera");
    EXPECT_EQ(chooser.currentIndex(), 0);

    emit chooser.activated(1);

    EXPECT_EQ(camera.videoInputDevice(), kExternal);
    EXPECT_EQ(preferences.selectedVideoDeviceUID(), kExternal.uniqueID);
    EXPECT_EQ(chooser.currentIndex(), 1);
}

TEST_F(CalibrationTabTest, ThePresetsButtonOpensThePopupAboveItAndClosesIt) {
    auto& button = tab->presetsButton();
    EXPECT_EQ(button.text(), "Presets...");

    QTest::mouseClick(&button, Qt::LeftButton);
    ASSERT_NE(tab->presetsPopover(), nullptr);
    EXPECT_TRUE(tab->presetsPopover()->isVisible());
    EXPECT_EQ(button.text(), "Hide Presets");
    EXPECT_EQ(tab->presetsPopover()->frameGeometry().bottom() + 1, button.mapToGlobal(QPoint(0, 0)).y());

    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_FALSE(tab->presetsPopover()->isVisible());
    EXPECT_EQ(button.text(), "Presets...");
}

TEST_F(CalibrationTabTest, ThePresetsPopupClosesWhenTheTabDisappears) {
    appear();
    QTest::mouseClick(&tab->presetsButton(), Qt::LeftButton);

    tab->viewDidDisappear();

    EXPECT_FALSE(tab->presetsPopover()->isVisible());
    EXPECT_EQ(tab->presetsButton().text(), "Presets...");
}

/// Counts the frames it is shown.
class CountingFaceDetector final : public FaceDetector {
public:
    std::vector<FaceFeature> features(const cv::Mat&) override {
        ++calls;
        return {};
    }
    std::atomic<int> calls = 0;
};

TEST_F(CalibrationTabTest, TheAnalyzerDropsFramesWhileItsLastResultWaitsForTheMainThread) {
    auto counting = std::make_unique<CountingFaceDetector>();
    auto& detector = *counting;
    int shown = 0;
    const auto analyzer = PreviewFrameAnalyzer::make(Detector(std::move(counting)), main, [&](AnalyzedFrame frame) {
        ++shown;
        EXPECT_EQ(frame.imageSize, (Size{160, 120}));
        EXPECT_EQ(frame.picture.size(), QSize(160, 120));
    });
    const cv::Mat frame(120, 160, CV_8UC3, cv::Scalar::all(90));

    analyzer->camera(camera, frame, Rect{0, 0, 160, 120});
    analyzer->camera(camera, frame, Rect{0, 0, 160, 120});
    EXPECT_EQ(detector.calls, 1);
    main.runPending();
    EXPECT_EQ(shown, 1);

    analyzer->camera(camera, frame, Rect{0, 0, 160, 120});
    analyzer->detach();
    main.runPending();
    EXPECT_EQ(detector.calls, 2);
    EXPECT_EQ(shown, 1) << "a result that arrives after detach is dropped";
}

TEST(PictureFromBgrTest, SwapsBlueAndRed) {
    const cv::Mat frame(2, 3, CV_8UC3, cv::Scalar(10, 20, 30));  // blue, green, red
    const QImage picture = pictureFromBgr(frame);
    EXPECT_EQ(picture.size(), QSize(3, 2));
    EXPECT_EQ(picture.pixel(2, 1), qRgb(30, 20, 10));
}

TEST_F(CalibrationTabTest, WithTheRealDetectorAPortraitIsJudgedAgainstTheLineAndTintedWhenPoor) {
    cv::setNumThreads(1);  // as the program runs the detector
    tab.reset();
    tab = makeTab(Detector());
    appear();
    const QImage photo = testPhoto("grace_hopper.jpg");  // 512x600: shown 256x300 between bars 72 wide

    preferences.setEyeLevelInPercent(0.85);
    showFrame(std::nullopt, bgrFrame(photo));
    ASSERT_EQ(state(), State::poor);
    ASSERT_TRUE(tint());
    const auto face = *tab->previewView().hud().detectedFace();
    for (const auto& eye : {face.leftEyePosition, face.rightEyePosition}) {
        EXPECT_GT(eye.x, 72);
        EXPECT_LT(eye.x, 328);
        EXPECT_LT(eye.y, 0.85 * 300);
        EXPECT_GT(eye.y, 0.15 * 300);
    }
    const QImage tinted = rendered();
    EXPECT_EQ(yellowPixelsInRow(tinted, 300 - 255), 400);

    preferences.setEyeLevelInPercent(0.15);
    showFrame(std::nullopt, bgrFrame(photo));
    EXPECT_EQ(state(), State::correct);
    EXPECT_EQ(tint(), std::nullopt);
}

}  // namespace
}  // namespace spinewise::testing
