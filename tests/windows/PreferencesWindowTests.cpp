#include "foundation/NotificationCenter.hpp"
#include "support/CommonTestSupport.hpp"
#include "windows/PreferencesViewController.hpp"
#include "windows/PreferencesWindow.hpp"
#include "windows/PreferencesWindowController.hpp"

#include <QTabBar>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;

/// A tab whose layout asks for a fixed size; it writes its hooks into a shared log.
class FixedSizeTab final : public PreferencesViewController {
public:
    FixedSizeTab(QString label, QSize size, std::vector<std::string>& log)
        : PreferencesViewController(std::move(label)), size_(size), log_(log) {}

    QSize sizeHint() const override { return size_; }
    void viewDidLoad() override {
        PreferencesViewController::viewDidLoad();
        log_.push_back(label().toStdString() + " load");
    }
    void viewDidAppear() override {
        PreferencesViewController::viewDidAppear();
        log_.push_back(label().toStdString() + " appear");
    }
    void viewDidDisappear() override {
        PreferencesViewController::viewDidDisappear();
        log_.push_back(label().toStdString() + " disappear");
    }

private:
    QSize size_;
    std::vector<std::string>& log_;
};

/// Records each delegate call with whether the window was visible then.
class RecordingDelegate final : public PreferencesWindowControllerDelegate {
public:
    void preferencesWindowControllerWillShowWindow(PreferencesWindowControl& controller) override {
        calls.push_back(controller.isWindowVisible() ? "will show (visible)" : "will show (hidden)");
    }
    void preferencesWindowControllerDidCloseWindow(PreferencesWindowControl& controller) override {
        calls.push_back(controller.isWindowVisible() ? "did close (visible)" : "did close (hidden)");
    }
    std::vector<std::string> calls;
};

class PreferencesWindowTest : public ::testing::Test {
protected:
    PreferencesWindowTest() {
        std::vector<std::unique_ptr<PreferencesViewController>> tabs;
        tabs.push_back(std::make_unique<FixedSizeTab>("Tall", QSize(668, 500), log));
        tabs.push_back(std::make_unique<FixedSizeTab>("Short", QSize(668, 300), log));
        controller = std::make_unique<PreferencesWindowController>(std::move(tabs), screen);
        controller->setDelegate(delegate);
    }

    PreferencesWindow& window() const { return controller->window(); }
    int tabRowHeight() const { return window().tabBar().sizeHint().height(); }

    std::vector<std::string> log;
    testing::FakeMainScreen screen{Rect{0, 0, 1440, 900}};
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
    std::unique_ptr<PreferencesWindowController> controller;
};

TEST_F(PreferencesWindowTest, TellsTheDelegateBeforeEveryShowingAndAfterEveryClose) {
    controller->showWindow();
    ASSERT_TRUE(controller->isWindowVisible());
    window().close();
    controller->showWindow();
    window().close();

    EXPECT_THAT(delegate->calls, ElementsAre("will show (hidden)", "did close (hidden)", "will show (hidden)",
                                             "did close (hidden)"));
}

TEST_F(PreferencesWindowTest, OpensFloatingAtTheTopOfTheMainScreenCentredHorizontally) {
    controller->showWindow();

    EXPECT_TRUE(window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window().size(), QSize(668, 500 + tabRowHeight()));
    const QRect frame = controller->windowFrame();
    EXPECT_EQ(frame.topLeft(), QPoint((1440 - frame.width()) / 2, 0)) << "frame " << frame.width();
}

TEST_F(PreferencesWindowTest, ShowingAnOpenWindowPlacesItAgainWithoutReappearingItsTab) {
    controller->showWindow();
    controller->setWindowFrame(QRect(10, 200, 668, 500 + tabRowHeight()));
    controller->showWindow();

    EXPECT_EQ(controller->windowFrame().topLeft(), QPoint(386, 0));
    EXPECT_THAT(log, ElementsAre("Tall load", "Tall appear"));
    EXPECT_THAT(delegate->calls, ElementsAre("will show (hidden)", "will show (visible)"));
}

TEST_F(PreferencesWindowTest, NoMainScreenLeavesTheWindowWhereItIs) {
    screen = testing::FakeMainScreen(std::nullopt);
    controller->setWindowFrame(QRect(10, 200, 668, 500 + tabRowHeight()));
    controller->showWindow();

    EXPECT_EQ(controller->windowFrame().topLeft(), QPoint(10, 200));
}

TEST_F(PreferencesWindowTest, SwitchingTabsKeepsTheTopLeftCornerAndTakesTheNewTabsSizeAndTitles) {
    controller->showWindow();
    controller->setWindowFrame(QRect(100, 50, 700, 600));
    const QRect tallFrame = controller->windowFrame();
    ASSERT_EQ(tallFrame, QRect(100, 50, 700, 600));
    const QSize decoration = tallFrame.size() - window().size();
    EXPECT_EQ(window().windowTitle(), "Tall");
    EXPECT_EQ(window().windowListTitle(), QString::fromUtf8("Preferences \u2014 Tall"));

    window().selectTab(1);

    EXPECT_EQ(controller->windowFrame(), QRect(QPoint(100, 50), QSize(668, 300 + tabRowHeight()) + decoration));
    EXPECT_EQ(window().windowTitle(), "Short");
    EXPECT_EQ(window().windowListTitle(), QString::fromUtf8("Preferences \u2014 Short"));
}

TEST_F(PreferencesWindowTest, TabsLoadOnceAndAppearAndDisappearWithTheWindowAndTheTabSwitch) {
    window().selectTab(1);
    window().selectTab(0);
    EXPECT_TRUE(log.empty()) << "a tab of a hidden window neither loads nor appears";

    controller->showWindow();
    window().selectTab(1);
    window().selectTab(0);
    window().close();
    controller->showWindow();

    EXPECT_THAT(log, ElementsAre("Tall load", "Tall appear", "Tall disappear", "Short load", "Short appear",
                                 "Short disappear", "Tall appear", "Tall disappear", "Tall appear"));
}

TEST_F(PreferencesWindowTest, ClosingPostsOneWindowDidCloseAfterTheTabHasGone) {
    int posts = 0;
    const auto observation =
        NotificationCenter::defaultCenter().addObserver("windowDidClose", [&] { ++posts; });
    controller->showWindow();

    window().close();
    window().close();

    EXPECT_EQ(posts, 1);
    EXPECT_THAT(log, ElementsAre("Tall load", "Tall appear", "Tall disappear"));
    EXPECT_THAT(delegate->calls, ElementsAre("will show (hidden)", "did close (hidden)"));
}

TEST_F(PreferencesWindowTest, WorksWithoutADelegate) {
    controller->setDelegate({});
    controller->showWindow();
    window().close();

    EXPECT_FALSE(controller->isWindowVisible());
    EXPECT_TRUE(delegate->calls.empty());
}

TEST(PreferencesViewControllerTest, ATabOutsideAPreferencesWindowLoadsItsSizeAndDoesNotResizeItsWindow) {
    std::vector<std::string> log;
    FixedSizeTab tab("Alone", QSize(300, 200), log);
    tab.resize(50, 60);
    EXPECT_FALSE(tab.initialSize());

    tab.loadViewIfNeeded();
    tab.loadViewIfNeeded();
    tab.viewDidAppear();

    EXPECT_EQ(tab.initialSize(), QSize(300, 200));
    EXPECT_EQ(tab.size(), QSize(50, 60));
    EXPECT_THAT(log, ElementsAre("Alone load", "Alone appear"));
}

}  // namespace
}  // namespace spinewise
