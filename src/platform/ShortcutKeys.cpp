#include "platform/ShortcutKeys.hpp"

#include <QKeyCombination>
#include <QStringList>

#include <algorithm>
#include <array>

// X11's headers define short macros (None, KeyPress...): they come last.
#include <X11/X.h>
#include <X11/keysym.h>

namespace spinewise::ShortcutKeys {
namespace {

struct Key {
    int virtualKeyCode;
    Qt::Key qtKey;
    unsigned long x11KeySym;
};

// clang-format off
constexpr std::array kKeys{
    Key{0x00, Qt::Key_A, XK_a}, Key{0x0B, Qt::Key_B, XK_b}, Key{0x08, Qt::Key_C, XK_c},
    Key{0x02, Qt::Key_D, XK_d}, Key{0x0E, Qt::Key_E, XK_e}, Key{0x03, Qt::Key_F, XK_f},
    Key{0x05, Qt::Key_G, XK_g}, Key{0x04, Qt::Key_H, XK_h}, Key{0x22, Qt::Key_I, XK_i},
    Key{0x26, Qt::Key_J, XK_j}, Key{0x28, Qt::Key_K, XK_k}, Key{0x25, Qt::Key_L, XK_l},
    Key{0x2E, Qt::Key_M, XK_m}, Key{0x2D, Qt::Key_N, XK_n}, Key{0x1F, Qt::Key_O, XK_o},
    Key{0x23, Qt::Key_P, XK_p}, Key{0x0C, Qt::Key_Q, XK_q}, Key{0x0F, Qt::Key_R, XK_r},
    Key{0x01, Qt::Key_S, XK_s}, Key{0x11, Qt::Key_T, XK_t}, Key{0x20, Qt::Key_U, XK_u},
    Key{0x09, Qt::Key_V, XK_v}, Key{0x0D, Qt::Key_W, XK_w}, Key{0x07, Qt::Key_X, XK_x},
    Key{0x10, Qt::Key_Y, XK_y}, Key{0x06, Qt::Key_Z, XK_z},

    Key{0x1D, Qt::Key_0, XK_0}, Key{0x12, Qt::Key_1, XK_1}, Key{0x13, Qt::Key_2, XK_2},
    Key{0x14, Qt::Key_3, XK_3}, Key{0x15, Qt::Key_4, XK_4}, Key{0x17, Qt::Key_5, XK_5},
    Key{0x16, Qt::Key_6, XK_6}, Key{0x1A, Qt::Key_7, XK_7}, Key{0x1C, Qt::Key_8, XK_8},
    Key{0x19, Qt::Key_9, XK_9},

    Key{0x18, Qt::Key_Equal, XK_equal},               Key{0x1B, Qt::Key_Minus, XK_minus},
    Key{0x21, Qt::Key_BracketLeft, XK_bracketleft},   Key{0x1E, Qt::Key_BracketRight, XK_bracketright},
    Key{0x27, Qt::Key_Apostrophe, XK_apostrophe},     Key{0x29, Qt::Key_Semicolon, XK_semicolon},
    Key{0x2A, Qt::Key_Backslash, XK_backslash},       Key{0x2B, Qt::Key_Comma, XK_comma},
    Key{0x2C, Qt::Key_Slash, XK_slash},               Key{0x2F, Qt::Key_Period, XK_period},
    Key{0x32, Qt::Key_QuoteLeft, XK_grave},

    Key{0x24, Qt::Key_Return, XK_Return},   Key{0x30, Qt::Key_Tab, XK_Tab},
    Key{0x31, Qt::Key_Space, XK_space},     Key{0x33, Qt::Key_Backspace, XK_BackSpace},
    Key{0x35, Qt::Key_Escape, XK_Escape},   Key{0x75, Qt::Key_Delete, XK_Delete},
    Key{0x72, Qt::Key_Insert, XK_Insert},   Key{0x73, Qt::Key_Home, XK_Home},
    Key{0x77, Qt::Key_End, XK_End},         Key{0x74, Qt::Key_PageUp, XK_Prior},
    Key{0x79, Qt::Key_PageDown, XK_Next},   Key{0x7B, Qt::Key_Left, XK_Left},
    Key{0x7C, Qt::Key_Right, XK_Right},     Key{0x7D, Qt::Key_Down, XK_Down},
    Key{0x7E, Qt::Key_Up, XK_Up},

    Key{122, Qt::Key_F1, XK_F1},   Key{120, Qt::Key_F2, XK_F2},   Key{99, Qt::Key_F3, XK_F3},
    Key{118, Qt::Key_F4, XK_F4},   Key{96, Qt::Key_F5, XK_F5},    Key{97, Qt::Key_F6, XK_F6},
    Key{98, Qt::Key_F7, XK_F7},    Key{100, Qt::Key_F8, XK_F8},   Key{101, Qt::Key_F9, XK_F9},
    Key{109, Qt::Key_F10, XK_F10}, Key{103, Qt::Key_F11, XK_F11}, Key{111, Qt::Key_F12, XK_F12},
    Key{105, Qt::Key_F13, XK_F13}, Key{107, Qt::Key_F14, XK_F14}, Key{113, Qt::Key_F15, XK_F15},
    Key{106, Qt::Key_F16, XK_F16}, Key{64, Qt::Key_F17, XK_F17},  Key{79, Qt::Key_F18, XK_F18},
    Key{80, Qt::Key_F19, XK_F19},  Key{90, Qt::Key_F20, XK_F20},
};

// Keys Qt reports in place of a table key: shifted symbols of a US layout,
// Shift+Tab and the keypad's Enter.
struct Alias {
    Qt::Key reported;
    Qt::Key meant;
};

constexpr std::array kAliases{
    Alias{Qt::Key_Exclam, Qt::Key_1},        Alias{Qt::Key_At, Qt::Key_2},
    Alias{Qt::Key_NumberSign, Qt::Key_3},    Alias{Qt::Key_Dollar, Qt::Key_4},
    Alias{Qt::Key_Percent, Qt::Key_5},       Alias{Qt::Key_AsciiCircum, Qt::Key_6},
    Alias{Qt::Key_Ampersand, Qt::Key_7},     Alias{Qt::Key_Asterisk, Qt::Key_8},
    Alias{Qt::Key_ParenLeft, Qt::Key_9},     Alias{Qt::Key_ParenRight, Qt::Key_0},
    Alias{Qt::Key_Underscore, Qt::Key_Minus}, Alias{Qt::Key_Plus, Qt::Key_Equal},
    Alias{Qt::Key_BraceLeft, Qt::Key_BracketLeft}, Alias{Qt::Key_BraceRight, Qt::Key_BracketRight},
    Alias{Qt::Key_Bar, Qt::Key_Backslash},   Alias{Qt::Key_Colon, Qt::Key_Semicolon},
    Alias{Qt::Key_QuoteDbl, Qt::Key_Apostrophe}, Alias{Qt::Key_Less, Qt::Key_Comma},
    Alias{Qt::Key_Greater, Qt::Key_Period},  Alias{Qt::Key_Question, Qt::Key_Slash},
    Alias{Qt::Key_AsciiTilde, Qt::Key_QuoteLeft},
    Alias{Qt::Key_Backtab, Qt::Key_Tab},     Alias{Qt::Key_Enter, Qt::Key_Return},
};
// clang-format on

struct Modifier {
    int bit;
    Qt::KeyboardModifier qtModifier;
    unsigned int x11Mask;
    const char* name;
};

// In the order Qt writes modifiers in a key sequence's text.
constexpr std::array kModifiers{
    Modifier{KeyShortcut::control, Qt::MetaModifier, Mod4Mask, "Meta"},
    Modifier{KeyShortcut::command, Qt::ControlModifier, ControlMask, "Ctrl"},
    Modifier{KeyShortcut::option, Qt::AltModifier, Mod1Mask, "Alt"},
    Modifier{KeyShortcut::shift, Qt::ShiftModifier, ShiftMask, "Shift"},
};

const Key* keyWithCode(int virtualKeyCode) {
    const auto found = std::find_if(kKeys.begin(), kKeys.end(),
                                    [&](const Key& key) { return key.virtualKeyCode == virtualKeyCode; });
    return found == kKeys.end() ? nullptr : &*found;
}

const Modifier* modifierWithBit(int bit) {
    const auto found = std::find_if(kModifiers.begin(), kModifiers.end(),
                                    [&](const Modifier& modifier) { return modifier.bit == bit; });
    return found == kModifiers.end() ? nullptr : &*found;
}

Qt::KeyboardModifiers qtModifiers(int modifierBits) {
    Qt::KeyboardModifiers result;
    for (const Modifier& modifier : kModifiers)
        if (modifierBits & modifier.bit) result |= modifier.qtModifier;
    return result;
}

Qt::Key unaliased(int qtKey) {
    const auto alias = std::find_if(kAliases.begin(), kAliases.end(),
                                    [&](const Alias& candidate) { return candidate.reported == qtKey; });
    return alias == kAliases.end() ? static_cast<Qt::Key>(qtKey) : alias->meant;
}

}  // namespace

std::optional<int> virtualKeyCodeFromQtKey(int qtKey) {
    const Qt::Key meant = unaliased(qtKey);
    const auto found = std::find_if(kKeys.begin(), kKeys.end(), [&](const Key& key) { return key.qtKey == meant; });
    if (found == kKeys.end()) return std::nullopt;
    return found->virtualKeyCode;
}

int modifierBitsFromQt(Qt::KeyboardModifiers modifiers) {
    int bits = 0;
    for (const Modifier& modifier : kModifiers)
        if (modifiers.testFlag(modifier.qtModifier)) bits |= modifier.bit;
    return bits;
}

std::optional<int> modifierBitFromQtKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Control: return KeyShortcut::command;
    case Qt::Key_Alt: return KeyShortcut::option;
    case Qt::Key_Shift: return KeyShortcut::shift;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return KeyShortcut::control;
    default: return std::nullopt;
    }
}

QKeySequence keySequence(const KeyShortcut& shortcut) {
    const Key* key = keyWithCode(shortcut.keyCode);
    if (shortcut.doubledModifiers || !key) return {};
    return QKeySequence(QKeyCombination(qtModifiers(shortcut.modifiers & 0xFFFF), key->qtKey));
}

QString displayText(const std::optional<KeyShortcut>& shortcut) {
    if (!shortcut) return {};
    if (shortcut->doubledModifiers) {
        const Modifier* modifier = modifierWithBit(shortcut->modifiers);
        const QString name = modifier ? QString::fromLatin1(modifier->name) : QString::number(shortcut->modifiers);
        return name + QLatin1Char(' ') + name;
    }
    if (keyWithCode(shortcut->keyCode)) return keySequence(*shortcut).toString(QKeySequence::NativeText);
    QStringList parts;
    for (const Modifier& modifier : kModifiers)
        if (shortcut->modifiers & modifier.bit) parts << QString::fromLatin1(modifier.name);
    parts << QStringLiteral("Key %1").arg(shortcut->keyCode);
    return parts.join(QLatin1Char('+'));
}

std::optional<unsigned long> x11KeySym(int virtualKeyCode) {
    const Key* key = keyWithCode(virtualKeyCode);
    if (!key) return std::nullopt;
    return key->x11KeySym;
}

unsigned int x11ModifierMask(int modifierBits) {
    unsigned int mask = 0;
    for (const Modifier& modifier : kModifiers)
        if (modifierBits & modifier.bit) mask |= modifier.x11Mask;
    return mask;
}

}  // namespace spinewise::ShortcutKeys
