#include "platform/ShortcutKeys.hpp"

#include <gtest/gtest.h>

#include <QKeySequence>

#include <set>
#include <string>

#include <X11/X.h>
#include <X11/keysym.h>

namespace spinewise {
namespace {

using namespace ShortcutKeys;

// Every code the table knows, found by probing the whole 7-bit range of virtual key codes.
std::set<int> knownKeyCodes() {
    std::set<int> codes;
    for (int code = 0; code < 128; ++code)
        if (x11KeySym(code)) codes.insert(code);
    return codes;
}

TEST(ShortcutKeys, EveryKnownKeyHasOneQtKeyAndOneKeySymThatLeadBackToIt) {
    const std::set<int> codes = knownKeyCodes();
    ASSERT_EQ(codes.size(), 26u + 10u + 11u + 15u + 20u);
    std::set<unsigned long> keySyms;
    for (int code : codes) {
        SCOPED_TRACE(code);
        const QKeySequence sequence = keySequence(KeyShortcut::combination(code, 0));
        ASSERT_EQ(sequence.count(), 1);
        EXPECT_EQ(virtualKeyCodeFromQtKey(sequence[0].key()), code);
        EXPECT_TRUE(keySyms.insert(*x11KeySym(code)).second) << "keysym used twice";
    }
}

TEST(ShortcutKeys, FunctionKeyCodesAreF1ToF20InOrder) {
    for (std::size_t index = 0; index < kFunctionKeyCodes.size(); ++index) {
        const int code = kFunctionKeyCodes[index];
        SCOPED_TRACE(code);
        EXPECT_EQ(x11KeySym(code), XK_F1 + index);
        EXPECT_EQ(virtualKeyCodeFromQtKey(Qt::Key_F1 + static_cast<int>(index)), code);
    }
}

TEST(ShortcutKeys, PositionalCodesOfWellKnownKeys) {
    struct Case {
        int code;
        Qt::Key qtKey;
        unsigned long keySym;
    };
    for (const Case& c : {Case{0x00, Qt::Key_A, XK_a}, Case{0x23, Qt::Key_P, XK_p}, Case{0x1D, Qt::Key_0, XK_0},
                          Case{0x31, Qt::Key_Space, XK_space}, Case{0x24, Qt::Key_Return, XK_Return},
                          Case{0x35, Qt::Key_Escape, XK_Escape}, Case{0x7E, Qt::Key_Up, XK_Up},
                          Case{0x2C, Qt::Key_Slash, XK_slash}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(virtualKeyCodeFromQtKey(c.qtKey), c.code);
        EXPECT_EQ(x11KeySym(c.code), c.keySym);
    }
}

TEST(ShortcutKeys, RecorderReadsShiftedSymbolsAsTheirKeys) {
    EXPECT_EQ(virtualKeyCodeFromQtKey(Qt::Key_Exclam), virtualKeyCodeFromQtKey(Qt::Key_1));
    EXPECT_EQ(virtualKeyCodeFromQtKey(Qt::Key_Question), virtualKeyCodeFromQtKey(Qt::Key_Slash));
    EXPECT_EQ(virtualKeyCodeFromQtKey(Qt::Key_Backtab), virtualKeyCodeFromQtKey(Qt::Key_Tab));
    EXPECT_EQ(virtualKeyCodeFromQtKey(Qt::Key_Enter), virtualKeyCodeFromQtKey(Qt::Key_Return));
    EXPECT_EQ(virtualKeyCodeFromQtKey(Qt::Key_VolumeUp), std::nullopt);
    EXPECT_EQ(virtualKeyCodeFromQtKey(Qt::Key_Control), std::nullopt);
}

TEST(ShortcutKeys, ModifierBitsMapToQtAndX11) {
    struct Case {
        int bits;
        Qt::KeyboardModifiers qt;
        unsigned int x11;
    };
    for (const Case& c : {
             Case{KeyShortcut::command, Qt::ControlModifier, ControlMask},
             Case{KeyShortcut::control, Qt::MetaModifier, Mod4Mask},
             Case{KeyShortcut::option, Qt::AltModifier, Mod1Mask},
             Case{KeyShortcut::shift, Qt::ShiftModifier, ShiftMask},
             Case{KeyShortcut::command | KeyShortcut::option | KeyShortcut::shift | KeyShortcut::control,
                  Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier,
                  ControlMask | Mod1Mask | ShiftMask | Mod4Mask},
             Case{0, Qt::NoModifier, 0},
         }) {
        SCOPED_TRACE(c.bits);
        EXPECT_EQ(modifierBitsFromQt(c.qt), c.bits);
        EXPECT_EQ(x11ModifierMask(c.bits), c.x11);
    }
    EXPECT_EQ(modifierBitsFromQt(Qt::KeypadModifier | Qt::GroupSwitchModifier), 0);
    // The function-key bit and unknown bits (0x10000: caps lock elsewhere) have no X11 mask.
    EXPECT_EQ(x11ModifierMask(KeyShortcut::functionKey | 0x10000 | KeyShortcut::option), Mod1Mask);
}

TEST(ShortcutKeys, LoneModifierKeys) {
    EXPECT_EQ(modifierBitFromQtKey(Qt::Key_Control), KeyShortcut::command);
    EXPECT_EQ(modifierBitFromQtKey(Qt::Key_Alt), KeyShortcut::option);
    EXPECT_EQ(modifierBitFromQtKey(Qt::Key_Shift), KeyShortcut::shift);
    EXPECT_EQ(modifierBitFromQtKey(Qt::Key_Meta), KeyShortcut::control);
    EXPECT_EQ(modifierBitFromQtKey(Qt::Key_Super_L), KeyShortcut::control);
    EXPECT_EQ(modifierBitFromQtKey(Qt::Key_A), std::nullopt);
}

TEST(ShortcutKeys, MenuKeyEquivalentUsesTheLowSixteenModifierBits) {
    struct Case {
        KeyShortcut shortcut;
        QKeySequence expected;
    };
    const int p = 0x23;
    for (const Case& c : {
             Case{KeyShortcut::combination(p, KeyShortcut::command | KeyShortcut::option),
                  QKeySequence(Qt::ControlModifier | Qt::AltModifier | Qt::Key_P)},
             Case{KeyShortcut::combination(p, KeyShortcut::control | KeyShortcut::shift),
                  QKeySequence(Qt::MetaModifier | Qt::ShiftModifier | Qt::Key_P)},
             Case{KeyShortcut::combination(122, KeyShortcut::command), QKeySequence(Qt::ControlModifier | Qt::Key_F1)},
             Case{KeyShortcut{p, 0x10000 | KeyShortcut::option, false}, QKeySequence(Qt::AltModifier | Qt::Key_P)},
             Case{KeyShortcut::combination(p, 0), QKeySequence(Qt::Key_P)},
             Case{KeyShortcut::doubleTap(KeyShortcut::option), QKeySequence()},
             Case{KeyShortcut::combination(0x47, KeyShortcut::command), QKeySequence()},
         }) {
        SCOPED_TRACE(c.shortcut.keyCode);
        EXPECT_EQ(keySequence(c.shortcut), c.expected);
    }
}

TEST(ShortcutKeys, DisplayTexts) {
    struct Case {
        std::optional<KeyShortcut> shortcut;
        std::string expected;
    };
    for (const Case& c : {
             Case{std::nullopt, ""},
             Case{KeyShortcut::combination(0x23, KeyShortcut::command | KeyShortcut::option), "Ctrl+Alt+P"},
             Case{KeyShortcut::combination(111, KeyShortcut::shift), "Shift+F12"},
             Case{KeyShortcut::doubleTap(KeyShortcut::option), "Alt Alt"},
             Case{KeyShortcut::doubleTap(KeyShortcut::command), "Ctrl Ctrl"},
             Case{KeyShortcut::doubleTap(KeyShortcut::control), "Meta Meta"},
             Case{KeyShortcut::combination(0x23, KeyShortcut::control | KeyShortcut::command), "Meta+Ctrl+P"},
             Case{KeyShortcut::combination(0x47, KeyShortcut::control | KeyShortcut::command), "Meta+Ctrl+Key 71"},
         }) {
        EXPECT_EQ(displayText(c.shortcut).toStdString(), c.expected);
    }
}

}  // namespace
}  // namespace spinewise
