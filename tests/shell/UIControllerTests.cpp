// The UI controller over a real monitor controller on virtual time, with a
// scripted camera, a fake preferences window and recorded sounds: the
// settings it follows, the alert, the status image and menu, the
// preferences window and the menu actions.
#include "ShellTestSupport.hpp"

#include "../engine/EngineTestSupport.hpp"

#include "settings/Presets.hpp"
#include "shell/StatusImages.hpp"
#include "shell/UIController.hpp"

#include <QCoreApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using State = Posture::State;

constexpr StatusImage kIdleImage{kStatusCorrectImageName, Color::white(0.5, 1)};

/// The main screen is 1440x900, monitoring is scheduled every minute and the
/// clock starts at kStart, 06:13:20 UTC.
class UIControllerTest : public MonitorControllerTest {
protected:
    ~UIControllerTest() override { ui.reset(); }

    void makeUI() {
        ui = std::make_unique<UIController>(UIControllerEnvironment{
            .makeMonitorController =
                [this] {
                    controller = makeController();
                    return controller;
                },
            .camera = camera,
            .preferences = preferences,
            .presets = [this]() -> Presets& { return presets; },
            .mainScreen = screen,
            .actions = actions,
            .makePreferencesWindow = [this] { return preferencesWindow; },
            .isFrontmost = [this] { return frontmost; },
            .isAlternateKeyHeld = [this] { return altHeld; },
            .isSystemTrayAvailable = [] { return true; },
            .isWindowOpacityAvailable = [] { return true; },
            .soundFactory = sounds,
            .resources = resources,
            .mainQueue = main,
            .timeZone = QTimeZone::utc(),
        });
        main.runPending();  // the camera's start
    }

    /// The image the tray entry shows now.
    QImage trayImage() const {
        return ui->statusItem().trayIcon()->icon().pixmap(22).toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
    }
    QImage expectedImage(const StatusImage& choice) {
        return images.image(choice).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

    /// The menu a click on the tray entry pops up.
    QMenu& clickStatusItem() {
        emit ui->statusItem().trayIcon()->activated(QSystemTrayIcon::Trigger);
        return *ui->statusItem().menu();
    }

    std::string loadBasso() const {
        return "load " + std::to_string(std::filesystem::file_size(resources.requiredResource("sounds/Basso.wav"))) +
               " bytes";
    }
    std::string playBasso() const { return "play" + loadBasso().substr(4); }
    std::string stopBasso() const { return "stop" + loadBasso().substr(4); }

    Presets presets{ApplicationDirectory(home.path() / "data", alerts), main.clock()};
    RecordingActions actions;
    std::shared_ptr<FakePreferencesWindow> preferencesWindow = std::make_shared<FakePreferencesWindow>();
    bool frontmost = false;
    bool altHeld = false;
    std::shared_ptr<RecordingSoundFactory> sounds = std::make_shared<RecordingSoundFactory>();
    StatusImages images{resources};
    std::unique_ptr<UIController> ui;
};

/// "title|enabled|keys" for each visible action, "---" for a separator.
std::vector<std::string> visibleItems(const QMenu& menu) {
    std::vector<std::string> lines;
    for (const QAction* action : menu.actions()) {
        if (!action->isVisible()) continue;
        lines.push_back(action->isSeparator() ? "---"
                                              : action->text().toStdString() + (action->isEnabled() ? "" : "|disabled") +
                                                    (action->shortcut().isEmpty()
                                                         ? ""
                                                         : "|" + action->shortcut().toString().toStdString()));
    }
    return lines;
}

QAction* itemTitled(const QMenu& menu, const QString& title) {
    for (QAction* action : menu.actions()) {
        if (action->text() == title) return action;
    }
    return nullptr;
}

TEST_F(UIControllerTest, ConstructionShowsTheStatusItemAndGivesTheOverlayItsSettings) {
    preferences.setNotificationColor({0, 0, 1, 0.25});
    preferences.setNotificationTransparency(0);
    makeUI();

    EXPECT_EQ(controller->mode(), MonitorController::Mode::scheduled);
    EXPECT_TRUE(controller->isRunning());
    ASSERT_NE(ui->statusItem().trayIcon(), nullptr);
    EXPECT_TRUE(ui->statusItem().trayIcon()->isVisible());
    EXPECT_EQ(ui->alert().window().color(), QColor(0, 0, 255));
    EXPECT_NEAR(ui->alert().window().windowOpacity(), 0.7, 1.0 / 255);
    EXPECT_FALSE(ui->alert().window().isVisible());

    preferences.setNotificationTransparency(1);
    EXPECT_NEAR(ui->alert().window().windowOpacity(), 0.3, 1.0 / 255);
}

TEST_F(UIControllerTest, TheStatusItemFollowsShowStatusBarItem) {
    preferences.setShowStatusBarItem(false);
    makeUI();
    EXPECT_EQ(ui->statusItem().trayIcon(), nullptr);

    preferences.setShowStatusBarItem(true);
    const QPointer<QSystemTrayIcon> first = ui->statusItem().trayIcon();
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());

    preferences.setShowStatusBarItem(false);
    EXPECT_FALSE(first->isVisible());

    preferences.setShowStatusBarItem(true);
    EXPECT_TRUE(first.isNull()) << "a new entry replaces the old one";
    EXPECT_TRUE(ui->statusItem().trayIcon()->isVisible());
    EXPECT_EQ(trayImage(), expectedImage(statusImage(std::nullopt)));
}

TEST_F(UIControllerTest, AConfirmedPoorPostureRaisesTheAlertOnceAndAnyOtherLowersIt) {
    makeUI();
    controller->setDelayedPosture(Posture{.state = State::poor, .start = kStart});

    const auto& overlay = ui->alert().window();
    EXPECT_TRUE(overlay.isVisible());
    EXPECT_EQ(overlay.geometry(), QRect(0, 0, 1440, 900));
    EXPECT_THAT(*sounds->events, ElementsAre(loadBasso(), playBasso()));

    ui->monitorControllerDidChangeDelayedPosture(*controller, Posture{.state = State::poor});
    EXPECT_THAT(*sounds->events, ElementsAre(loadBasso(), playBasso())) << "no second sound while the alert is up";

    controller->setDelayedPosture(Posture{.state = State::unknown});
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_THAT(*sounds->events, ElementsAre(loadBasso(), playBasso(), stopBasso()));

    controller->setDelayedPosture(Posture{.state = State::poor});
    controller->setDelayedPosture(std::nullopt);
    EXPECT_FALSE(overlay.isVisible());
    EXPECT_EQ(sounds->events->size(), 6U) << "raised with a fresh sound, lowered by the clearing";
}

TEST_F(UIControllerTest, TheAlertIsSilentWhenAudioNotificationIsOff) {
    preferences.setPlayNotificationSound(false);
    makeUI();
    controller->setDelayedPosture(Posture{.state = State::poor});
    EXPECT_TRUE(ui->alert().window().isVisible());
    EXPECT_THAT(*sounds->events, IsEmpty());
}

TEST_F(UIControllerTest, TheStatusImageShowsThePostureWhileTheCameraWatches) {
    makeUI();
    ASSERT_TRUE(camera.isSessionRunning());
    EXPECT_EQ(trayImage(), expectedImage(statusImage(std::nullopt)));

    controller->setPosture(Posture{.state = State::poor});
    EXPECT_EQ(trayImage(), expectedImage({kStatusPoorImageName, Color::white(0.3, 1)}));
    controller->setPosture(Posture{.state = State::correct});
    EXPECT_EQ(trayImage(), expectedImage({kStatusCorrectImageName, Color::white(0.3, 1)}));

    ui->showPreferencesWindow();  // stops the camera
    main.runPending();
    EXPECT_FALSE(camera.isSessionRunning());
    EXPECT_EQ(trayImage(), expectedImage(kIdleImage));
}

TEST_F(UIControllerTest, TheImageIsIdleWhileThePreferencesWindowIsVisibleEvenWithTheCameraOn) {
    makeUI();
    ui->showPreferencesWindow();
    camera.startCapture({});  // the window's preview
    main.runPending();
    controller->setPosture(Posture{.state = State::poor});
    ASSERT_TRUE(camera.isSessionRunning());
    EXPECT_EQ(ui->imageForStatusItem(ui->statusItem()), images.image(kIdleImage));
    EXPECT_EQ(trayImage(), expectedImage(kIdleImage));
}

TEST_F(UIControllerTest, ThePreferencesWindowIsCentredAtHeight610AndPausesMonitoringWhileOpen) {
    makeUI();
    controller->setDelayedPosture(Posture{.state = State::poor});

    ui->showPreferencesWindow();
    EXPECT_EQ(preferencesWindow->frame, QRect(370, 145, 700, 610)) << "its width kept";
    EXPECT_EQ(preferencesWindow->showCount, 1);
    EXPECT_FALSE(controller->isRunning());
    EXPECT_FALSE(ui->alert().window().isVisible());

    preferencesWindow->frame = QRect(0, 0, 500, 500);
    ui->showPreferencesWindow();
    EXPECT_EQ(preferencesWindow->showCount, 1) << "nothing while it is visible";
    EXPECT_EQ(preferencesWindow->frame, QRect(0, 0, 500, 500));

    preferencesWindow->close();
    EXPECT_TRUE(controller->isRunning());
    main.runPending();
    EXPECT_TRUE(camera.isSessionRunning());
}

TEST_F(UIControllerTest, ClosingThePreferencesWindowLeavesManualMonitoringIdle) {
    makeUI();
    ui->showPreferencesWindow();
    preferences.setScheduleInterval(6);
    preferencesWindow->close();
    EXPECT_FALSE(controller->isRunning());
}

TEST_F(UIControllerTest, APresetSetsTheEyeLevelAndSaysSo) {
    presets.setPresets({std::make_shared<Preset>("Desk", 0.5), std::make_shared<Preset>("Sofa", 0.57)});
    makeUI();
    transcript.clear();

    ui->applyPreset(0);
    EXPECT_EQ(preferences.eyeLevelInPercent(), 0.5);
    ui->applyPreset(1);
    EXPECT_EQ(preferences.eyeLevelInPercent(), 0.57);
    ui->applyPreset(2);  // gone since the menu was built
    EXPECT_EQ(preferences.eyeLevelInPercent(), 0.57);

    EXPECT_THAT(transcript.linesWith("Set eye level"),
                ElementsAre(at(kStart) + "log Set eye level to: 50.0%",
                            at(kStart) + "log Set eye level to: 56.99999999999999%"));
}

TEST_F(UIControllerTest, MenuActionsReachTheirTargets) {
    makeUI();
    using A = StatusMenuAction;

    ui->perform(A::pause, 0);
    EXPECT_FALSE(controller->isRunning());
    ui->perform(A::resume, 0);
    EXPECT_TRUE(controller->isRunning());
    ui->perform(A::turnOffAudioNotification, 0);
    EXPECT_FALSE(preferences.playNotificationSound());
    ui->perform(A::turnOnAudioNotification, 0);
    EXPECT_TRUE(preferences.playNotificationSound());
    for (const auto action : {A::showHistoryWindow, A::checkPosture, A::showAbout, A::quit, A::none}) {
        ui->perform(action, 0);
    }
    EXPECT_THAT(actions.calls, ElementsAre("showHistoryWindow", "checkPosture", "showAbout", "terminate"));
    ui->perform(A::showPreferencesWindow, 0);
    EXPECT_TRUE(preferencesWindow->visible);
}

TEST_F(UIControllerTest, TheMenuIsBuiltFromTheStateAtTheClick) {
    preferences.setScheduleInterval(6);
    preferences.setKeyCombo(KeyShortcut::combination(35, KeyShortcut::command | KeyShortcut::option));  // P
    preferences.setHistory({Posture{.state = State::correct}, Posture{.state = State::poor},
                            Posture{.state = State::correct}, Posture{.state = State::unknown}});
    presets.setPresets({std::make_shared<Preset>("Desk", 0.45)});
    frontmost = true;
    makeUI();

    QMenu& menu = clickStatusItem();
    EXPECT_TRUE(menu.isVisible());
    EXPECT_THAT(visibleItems(menu),
                ElementsAre("Interval - Manual|disabled", "Good Posture 66.7%", "---", "Check Posture|Ctrl+Alt+P", "---",
                            "Audio Notification", "Preferences...|Ctrl+,", "---", "Presets|disabled", "Desk", "---",
                            "About", "Quit|Ctrl+Q"));

    itemTitled(menu, "Desk")->trigger();
    EXPECT_EQ(preferences.eyeLevelInPercent(), 0.45);
    itemTitled(menu, "Check Posture")->trigger();
    EXPECT_THAT(actions.calls, ElementsAre("checkPosture"));

    preferences.setScheduleInterval(1);
    controller->start();
    frontmost = false;
    EXPECT_THAT(visibleItems(clickStatusItem()),
                ElementsAre("Interval - Every 1 minute|disabled", "Good Posture 66.7%", "---", "Pause", "---",
                            "Audio Notification", "Preferences...", "---", "Presets|disabled", "Desk", "---", "About",
                            "Quit"));
    ui->statusItem().menu()->hide();
}

TEST_F(UIControllerTest, TheAlternateIntervalItemTellsTheNextCheckAndIsRefreshedEverySecond) {
    makeUI();
    camera.stopCapture();  // the burst ends at 06:13:20
    main.runPending();

    QMenu& menu = clickStatusItem();
    EXPECT_THAT(visibleItems(menu).front(), "Interval - Every 1 minute|disabled");

    altHeld = true;
    main.advance(1);
    EXPECT_THAT(visibleItems(menu).front(), "Next at 06:14:20 in 59 sec|disabled");
    main.advance(1);
    EXPECT_THAT(visibleItems(menu).front(), "Next at 06:14:20 in 58 sec|disabled");

    altHeld = false;
    main.advance(1);
    EXPECT_THAT(visibleItems(menu).front(), "Interval - Every 1 minute|disabled");
    menu.hide();
}

using UIControllerDeathTest = UIControllerTest;

TEST_F(UIControllerDeathTest, InstallationFaultsStopTheProgram) {
    const auto style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // the camera has a thread of its own
    makeUI();
    preferencesWindow = nullptr;
    EXPECT_DEATH(ui->showPreferencesWindow(), "Fatal error: The preferences window controller could not be created");

    screen = FakeMainScreen(std::nullopt);
    EXPECT_DEATH(controller->setDelayedPosture(Posture{.state = State::poor}),
                 "Fatal error: There is no main screen to cover with the alert overlay");
    GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
}  // namespace spinewise::testing
