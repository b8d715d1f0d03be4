#include "foundation/VirtualClock.hpp"
#include "settings/KeyShortcut.hpp"
#include "windows/ShortcutRecorder.hpp"
#include "windows/ShortcutRecorderDelegate.hpp"

#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;

constexpr int kKeyP = 0x23;
constexpr int kKeyF5 = 96;

class RecordingRecorderDelegate final : public ShortcutRecorderDelegate {
public:
    bool shortcutRecorderShouldBeginRecording(ShortcutRecorder&) override {
        calls.emplace_back("may begin");
        return allowBegin;
    }
    bool shortcutRecorderCanRecordShortcut(ShortcutRecorder&, const KeyShortcut&) override {
        calls.emplace_back("may record");
        return allowRecord;
    }
    void shortcutRecorderDidClearShortcut(ShortcutRecorder&) override { calls.emplace_back("cleared"); }
    void shortcutRecorderDidChangeShortcut(ShortcutRecorder&, const KeyShortcut& shortcut) override {
        calls.emplace_back("changed");
        changes.push_back(shortcut);
    }
    void shortcutRecorderDidEndRecording(ShortcutRecorder&) override { calls.emplace_back("ended"); }

    bool allowBegin = true;
    bool allowRecord = true;
    std::vector<std::string> calls;
    std::vector<KeyShortcut> changes;
};

class ShortcutRecorderTest : public ::testing::Test {
protected:
    ShortcutRecorderTest() { recorder.setDelegate(&delegate); }

    void clickToRecord() { QTest::mouseClick(recorder.findChild<QPushButton*>("recordButton"), Qt::LeftButton); }
    void tapModifier(Qt::Key key, Qt::KeyboardModifier modifier) {
        QTest::keyPress(&recorder, key, modifier);
        clock.set(clock.now() + 0.1);
        QTest::keyRelease(&recorder, key, Qt::NoModifier);
    }

    VirtualClock clock{1000};
    RecordingRecorderDelegate delegate;
    ShortcutRecorder recorder{nullptr, clock};
};

TEST_F(ShortcutRecorderTest, AClickRecordsTheNextKeyWithModifiers) {
    clickToRecord();
    ASSERT_TRUE(recorder.isRecording());
    EXPECT_EQ(recorder.text(), QString::fromUtf8("Type shortcut\u2026"));

    QTest::keyClick(&recorder, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);

    const auto expected = KeyShortcut::combination(kKeyP, KeyShortcut::command | KeyShortcut::shift);
    EXPECT_EQ(recorder.shortcut(), expected);
    EXPECT_THAT(delegate.changes, ElementsAre(expected));
    EXPECT_THAT(delegate.calls, ElementsAre("may begin", "may record", "changed", "ended"));
    EXPECT_FALSE(recorder.isRecording());
    EXPECT_EQ(recorder.text(), "Ctrl+Shift+P");
}

TEST_F(ShortcutRecorderTest, KeysThatMakeNoShortcutLeaveTheRecordingOpen) {
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Case cases[] = {
        {"a letter alone", Qt::Key_P, Qt::NoModifier},
        {"shift alone is no modifier for a global shortcut", Qt::Key_P, Qt::ShiftModifier},
        {"a key outside the table", Qt::Key_VolumeUp, Qt::ControlModifier},
    };
    clickToRecord();
    for (const Case& c : cases) {
        QTest::keyClick(&recorder, c.key, c.modifiers);
        EXPECT_TRUE(recorder.isRecording()) << c.what;
    }
    EXPECT_THAT(delegate.calls, ElementsAre("may begin"));
}

TEST_F(ShortcutRecorderTest, AFunctionKeyAloneIsAShortcutWithTheFunctionKeyBit) {
    clickToRecord();
    QTest::keyClick(&recorder, Qt::Key_F5);

    EXPECT_EQ(recorder.shortcut(), (KeyShortcut{kKeyF5, KeyShortcut::functionKey, false}));
}

TEST_F(ShortcutRecorderTest, EscapeCancelsAndKeepsTheShortcut) {
    const auto shown = KeyShortcut::combination(kKeyP, KeyShortcut::command);
    recorder.setShortcut(shown);
    clickToRecord();

    QTest::keyClick(&recorder, Qt::Key_Escape);

    EXPECT_FALSE(recorder.isRecording());
    EXPECT_EQ(recorder.shortcut(), shown);
    EXPECT_THAT(delegate.calls, ElementsAre("may begin", "ended"));
}

TEST_F(ShortcutRecorderTest, ADoubleTapOfOneModifierWithinTheIntervalIsRecorded) {
    clickToRecord();
    tapModifier(Qt::Key_Alt, Qt::AltModifier);
    clock.set(clock.now() + 0.1);
    QTest::keyPress(&recorder, Qt::Key_Alt, Qt::AltModifier);

    EXPECT_EQ(recorder.shortcut(), KeyShortcut::doubleTap(KeyShortcut::option));
    EXPECT_EQ(recorder.text(), "Alt Alt");
    EXPECT_THAT(delegate.calls, ElementsAre("may begin", "may record", "changed", "ended"));
}

TEST_F(ShortcutRecorderTest, TapsThatAreNoDoubleTapRecordNothing) {
    struct Case {
        const char* what;
        std::function<void()> betweenTaps;
        Qt::Key secondKey;
        Qt::KeyboardModifiers secondModifiers;
    };
    const Case cases[] = {
        {"second press too late", [this] { clock.set(clock.now() + 0.25); },
         Qt::Key_Alt, Qt::AltModifier},
        {"another modifier second", [] {}, Qt::Key_Control, Qt::ControlModifier},
        {"another modifier held", [] {}, Qt::Key_Alt, Qt::AltModifier | Qt::ShiftModifier},
        {"a key between the taps",
         [this] { QTest::keyClick(&recorder, Qt::Key_P); }, Qt::Key_Alt, Qt::AltModifier},
    };
    for (const Case& c : cases) {
        clickToRecord();
        tapModifier(Qt::Key_Alt, Qt::AltModifier);
        c.betweenTaps();
        QTest::keyPress(&recorder, c.secondKey, c.secondModifiers);

        EXPECT_TRUE(recorder.isRecording()) << c.what;
        EXPECT_FALSE(recorder.shortcut()) << c.what;
        QTest::keyClick(&recorder, Qt::Key_Escape);
    }
}

TEST_F(ShortcutRecorderTest, TheDelegateMayRefuseToBeginOrToRecord) {
    delegate.allowBegin = false;
    clickToRecord();
    EXPECT_FALSE(recorder.isRecording());

    delegate.allowBegin = true;
    delegate.allowRecord = false;
    clickToRecord();
    QTest::keyClick(&recorder, Qt::Key_P, Qt::ControlModifier);

    EXPECT_TRUE(recorder.isRecording());
    EXPECT_FALSE(recorder.shortcut());
    EXPECT_THAT(delegate.calls, ElementsAre("may begin", "may begin", "may record"));
}

TEST_F(ShortcutRecorderTest, TheClearButtonClearsAndIsEnabledOnlyWithAShortcut) {
    auto* clearButton = recorder.findChild<QToolButton*>("clearButton");
    EXPECT_FALSE(clearButton->isEnabled());
    recorder.setShortcut(KeyShortcut::combination(kKeyP, KeyShortcut::command));
    ASSERT_TRUE(clearButton->isEnabled());

    QTest::mouseClick(clearButton, Qt::LeftButton);

    EXPECT_FALSE(recorder.shortcut());
    EXPECT_FALSE(clearButton->isEnabled());
    EXPECT_EQ(recorder.text(), "Record Shortcut");
    EXPECT_THAT(delegate.calls, ElementsAre("cleared"));
}

TEST_F(ShortcutRecorderTest, KeysOutsideARecordingChangeNothing) {
    QTest::keyClick(&recorder, Qt::Key_P, Qt::ControlModifier);

    EXPECT_FALSE(recorder.shortcut());
    EXPECT_TRUE(delegate.calls.empty());
}

}  // namespace
}  // namespace spinewise
