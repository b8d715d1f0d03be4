#pragma once

#include "settings/KeyShortcut.hpp"

#include <QKeySequence>
#include <QString>
#include <Qt>

#include <optional>

/// Translation between the stored key shortcut (virtual key codes and modifier
/// bits of KeyShortcut, kept as they are so that settings files move between
/// machines unchanged) and what Qt and X11 speak. One table holds the keys.
///
/// Modifier bits:
///   KeyShortcut::command 0x100  <-> Ctrl   (Qt::ControlModifier, X11 ControlMask)
///   KeyShortcut::control 0x1000 <-> Super  (Qt::MetaModifier,    X11 Mod4Mask)
///   KeyShortcut::option  0x800  <-> Alt    (Qt::AltModifier,     X11 Mod1Mask)
///   KeyShortcut::shift   0x200  <-> Shift  (Qt::ShiftModifier,   X11 ShiftMask)
/// Other bits (the function-key bit 0x800000 included) have no Qt or X11
/// counterpart: they are ignored when translating and kept in the stored value.
///
/// Keys: the virtual key codes are positional codes of an ANSI keyboard:
/// letters, digits, the punctuation keys, space, return, tab, escape,
/// backspace ("delete"), forward delete, insert ("help"), home, end, page
/// up/down, the arrows and F1 to F20. Qt reports shifted punctuation as its own
/// key (Shift+1 is Qt::Key_Exclam); the recorder reads those back as the
/// unshifted key of a US layout. X11 keysyms are the unshifted ones
/// (lower-case letters); the registrar turns them into the current layout's
/// key codes. Keypad keys are not in the table.
namespace spinewise::ShortcutKeys {

/// The virtual key code of a Qt key, for the shortcut recorder; none when the key is not in the table.
std::optional<int> virtualKeyCodeFromQtKey(int qtKey);

/// The modifier bits of Qt's modifiers, for the shortcut recorder.
int modifierBitsFromQt(Qt::KeyboardModifiers modifiers);

/// The modifier bit of a lone modifier key (Qt::Key_Control, Key_Alt, Key_Shift,
/// Key_Meta or Key_Super_L/R), for recording a double tap; none for other keys.
std::optional<int> modifierBitFromQtKey(int qtKey);

/// The menu key equivalent of a shortcut: its key with the modifiers of the low
/// 16 bits of `modifiers`. Empty for a double tap or a key not in the table.
QKeySequence keySequence(const KeyShortcut& shortcut);

/// The recorder's text: "Ctrl+Alt+P" for a combination, "Alt Alt" for a double
/// tap of option, "Ctrl+Key 71" for a key not in the table, "" for none.
QString displayText(const std::optional<KeyShortcut>& shortcut);

/// The X11 keysym of a virtual key code, for the hot-key registrar.
std::optional<unsigned long> x11KeySym(int virtualKeyCode);

/// The X11 modifier mask (ShiftMask, ControlMask, Mod1Mask, Mod4Mask) of modifier bits.
unsigned int x11ModifierMask(int modifierBits);

}  // namespace spinewise::ShortcutKeys
