// Runs on a private X server (tests/support/run-with-xvfb.sh); keys are
// pressed there with xdotool, and each test waits for the actions it expects.
#include "platform/x11/X11ErrorTrap.hpp"
#include "platform/x11/X11HotKeyRegistrar.hpp"
#include "support/CommonTestSupport.hpp"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QTest>

#include <cstdlib>
#include <memory>
#include <string>

#include <X11/Xlib.h>

namespace spinewise {
namespace {

constexpr int kKeyO = 0x1F;
constexpr int kKeyP = 0x23;
constexpr int kWaitMilliseconds = 5000;

const KeyShortcut ctrlAltP = KeyShortcut::combination(kKeyP, KeyShortcut::command | KeyShortcut::option);
const KeyShortcut ctrlAltO = KeyShortcut::combination(kKeyO, KeyShortcut::command | KeyShortcut::option);

// Presses each key (or combination, "ctrl+alt+p") in turn.
void press(const QString& keys) {
    const QStringList arguments = QStringList{"key"} + keys.split(' ');
    ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << "xdotool key " << keys.toStdString();
}

/// Counts the runs of the actions it hands out.
struct ActionCounter {
    int runs = 0;
    std::function<void()> action() {
        return [this] { ++runs; };
    }
    bool waitForRuns(int expected) {
        return QTest::qWaitFor([&] { return runs >= expected; }, kWaitMilliseconds);
    }
};

/// Another X client, which can hold a key combination before the registrar asks for it.
class OtherClient {
public:
    OtherClient() : display_(XOpenDisplay(nullptr)) {}
    ~OtherClient() { XCloseDisplay(display_); }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    bool grab(int keySym, unsigned int modifiers) {
        X11ErrorTrap trap(display_);
        XGrabKey(display_, XKeysymToKeycode(display_, static_cast<KeySym>(keySym)), modifiers,
                 DefaultRootWindow(display_), False, GrabModeAsync, GrabModeAsync);
        return !trap.failed();
    }
    void ungrabAll() {
        XUngrabKey(display_, AnyKey, AnyModifier, DefaultRootWindow(display_));
        XSync(display_, False);
    }

private:
    Display* display_;
};

class X11HotKeyRegistrarTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under run-with-xvfb.sh"; }

    std::unique_ptr<HotKeyRegistrar> registrar = X11HotKeyRegistrar::make();
    ActionCounter counter;
};

TEST_F(X11HotKeyRegistrarTest, ARegisteredCombinationFiresWheneverPressedWhateverTheLockKeys) {
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", ctrlAltP, counter.action()));

    press("ctrl+alt+p");
    ASSERT_TRUE(counter.waitForRuns(1));
    press("Caps_Lock");
    press("ctrl+alt+p");
    press("Caps_Lock");
    EXPECT_TRUE(counter.waitForRuns(2));
}

TEST_F(X11HotKeyRegistrarTest, OnlyTheExactModifiersFire) {
    ActionCounter marker;
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", ctrlAltP, counter.action()));
    ASSERT_TRUE(registrar->registerHotKey("marker", ctrlAltO, marker.action()));

    press("ctrl+alt+shift+p");
    press("ctrl+p");
    press("ctrl+alt+o");
    // X delivers in order: once the marker fired, the presses before it were seen.
    ASSERT_TRUE(marker.waitForRuns(1));
    EXPECT_EQ(counter.runs, 0);
}

TEST_F(X11HotKeyRegistrarTest, AfterAChangeOnlyTheNewCombinationFires) {
    ActionCounter oldShortcut;
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", ctrlAltP, oldShortcut.action()));
    registrar->unregisterHotKey("shortcutID");
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", ctrlAltO, counter.action()));

    press("ctrl+alt+p");
    press("ctrl+alt+o");
    ASSERT_TRUE(counter.waitForRuns(1));
    EXPECT_EQ(oldShortcut.runs, 0);
}

TEST_F(X11HotKeyRegistrarTest, ADoubleTapOfAltFires) {
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", KeyShortcut::doubleTap(KeyShortcut::option), counter.action()));

    press("alt alt");
    EXPECT_TRUE(counter.waitForRuns(1));
}

TEST_F(X11HotKeyRegistrarTest, ADoubleTapOfAnotherModifierOrAChordDoesNotFire) {
    ActionCounter marker;
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", KeyShortcut::doubleTap(KeyShortcut::option), counter.action()));
    ASSERT_TRUE(registrar->registerHotKey("marker", KeyShortcut::doubleTap(KeyShortcut::shift), marker.action()));

    press("ctrl ctrl");
    press("ctrl+alt");
    press("shift shift");
    ASSERT_TRUE(marker.waitForRuns(1));
    EXPECT_EQ(counter.runs, 0);
}

TEST_F(X11HotKeyRegistrarTest, ACombinationHeldByAnotherClientIsRefusedWithoutKeepingPartialGrabs) {
    OtherClient other;
    // Only the Caps Lock variant is taken: the plain one, grabbed first, must be given back.
    ASSERT_TRUE(other.grab('p', ControlMask | Mod1Mask | LockMask));
    {
        testing::LogRecorder log;
        EXPECT_FALSE(registrar->registerHotKey("shortcutID", ctrlAltP, counter.action()));
        EXPECT_EQ(log.lines(), (std::vector<std::string>{"Cannot register the global shortcut Ctrl+Alt+P: it is taken"}));
    }
    OtherClient third;
    EXPECT_TRUE(third.grab('p', ControlMask | Mod1Mask));
    third.ungrabAll();

    other.ungrabAll();
    EXPECT_TRUE(registrar->registerHotKey("shortcutID", ctrlAltP, counter.action()));
}

TEST_F(X11HotKeyRegistrarTest, RefusesAnIdentifierInUseACombinationInUseAndAKeyNotInTheTable) {
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", ctrlAltP, counter.action()));
    EXPECT_FALSE(registrar->registerHotKey("shortcutID", ctrlAltO, counter.action()));
    // The same keys under another identifier, even with a bit X11 does not know.
    EXPECT_FALSE(registrar->registerHotKey("another", KeyShortcut{kKeyP, ctrlAltP.modifiers | 0x10000, false},
                                           counter.action()));

    testing::LogRecorder log;
    EXPECT_FALSE(registrar->registerHotKey("keypad", KeyShortcut::combination(0x47, KeyShortcut::command),
                                           counter.action()));
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST_F(X11HotKeyRegistrarTest, UnregisteringAnUnknownIdentifierIsHarmless) {
    registrar->unregisterHotKey("shortcutID");
    ASSERT_TRUE(registrar->registerHotKey("shortcutID", ctrlAltP, counter.action()));
    registrar->unregisterHotKey("other");
    press("ctrl+alt+p");
    EXPECT_TRUE(counter.waitForRuns(1));
}

TEST(X11HotKeyRegistrarInAWaylandSession, SaysThatShortcutsNeedAnX11WindowInFocus) {
    const char* sessionType = std::getenv("XDG_SESSION_TYPE");
    const std::string previous = sessionType ? sessionType : "";
    ::setenv("XDG_SESSION_TYPE", "wayland", 1);
    testing::LogRecorder log;
    const std::unique_ptr<HotKeyRegistrar> registrar = X11HotKeyRegistrar::make();
    if (sessionType)
        ::setenv("XDG_SESSION_TYPE", previous.c_str(), 1);
    else
        ::unsetenv("XDG_SESSION_TYPE");

    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "Global shortcuts work only while an X11 window has the focus: this is a Wayland session"}));
}

TEST(X11HotKeyRegistrarWithoutDisplay, RefusesEveryHotKeyAfterOneLine) {
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    ::unsetenv("DISPLAY");
    testing::LogRecorder log;
    const std::unique_ptr<HotKeyRegistrar> registrar = X11HotKeyRegistrar::make();
    if (!display.empty()) ::setenv("DISPLAY", display.c_str(), 1);

    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Global shortcuts are unavailable: no X11 display"}));
    EXPECT_FALSE(registrar->registerHotKey("shortcutID", ctrlAltP, [] {}));
    registrar->unregisterHotKey("shortcutID");
}

}  // namespace
}  // namespace spinewise
