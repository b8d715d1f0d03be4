#pragma once

#include <nlohmann/json_fwd.hpp>

#include <array>

namespace spinewise {

/// Virtual key codes of the function keys F1 to F20, in that order.
inline constexpr std::array<int, 20> kFunctionKeyCodes{
    122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111, 105, 107, 113, 106, 64, 79, 80, 90};

bool isFunctionKey(int keyCode);

/// A global key combination: a key pressed with modifiers held, or a double
/// tap of one modifier key (then keyCode is 0 and modifiers holds that key's bit).
struct KeyShortcut {
    // Bits of `modifiers`.
    static constexpr int command = 0x100;
    static constexpr int shift = 0x200;
    static constexpr int option = 0x800;
    static constexpr int control = 0x1000;
    static constexpr int functionKey = 0x800000;

    int keyCode = 0;
    int modifiers = 0;
    bool doubledModifiers = false;

    /// `keyCode` pressed with `modifiers` held; function keys carry the functionKey bit too.
    static KeyShortcut combination(int keyCode, int modifiers);
    /// A double tap of the single modifier key `modifier`.
    static KeyShortcut doubleTap(int modifier);

    friend bool operator==(const KeyShortcut&, const KeyShortcut&) = default;
};

/// Stored form: {"keyCode": <integer>, "modifiers": <integer>, "doubledModifiers": <bool>}.
nlohmann::json toJson(const KeyShortcut& shortcut);
/// Reads the stored form; throws JsonDecodingError when it is not one.
KeyShortcut keyShortcutFromJson(const nlohmann::json& json);

}  // namespace spinewise
