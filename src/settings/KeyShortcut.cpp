#include "settings/KeyShortcut.hpp"

#include "foundation/Fatal.hpp"
#include "settings/JsonObjectReader.hpp"

#include <algorithm>
#include <string>

namespace spinewise {

bool isFunctionKey(int keyCode) {
    return std::find(kFunctionKeyCodes.begin(), kFunctionKeyCodes.end(), keyCode) != kFunctionKeyCodes.end();
}

KeyShortcut KeyShortcut::combination(int keyCode, int modifiers) {
    return {keyCode, isFunctionKey(keyCode) ? modifiers | functionKey : modifiers, false};
}

KeyShortcut KeyShortcut::doubleTap(int modifier) {
    if (modifier != command && modifier != shift && modifier != option && modifier != control)
        fatalError("A double tap needs exactly one modifier key, not the modifiers " + std::to_string(modifier));
    return {0, modifier, true};
}

nlohmann::json toJson(const KeyShortcut& shortcut) {
    return {{"keyCode", shortcut.keyCode},
            {"modifiers", shortcut.modifiers},
            {"doubledModifiers", shortcut.doubledModifiers}};
}

KeyShortcut keyShortcutFromJson(const nlohmann::json& json) {
    const JsonObjectReader reader(json, "keyCombo");
    return {reader.integer("keyCode"), reader.integer("modifiers"), reader.boolean("doubledModifiers")};
}

}  // namespace spinewise
