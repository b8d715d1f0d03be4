#include "settings/JsonObjectReader.hpp"
#include "settings/KeyShortcut.hpp"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace spinewise {
namespace {

TEST(KeyShortcut, CommandF5CarriesTheFunctionKeyBit) {
    const auto shortcut = KeyShortcut::combination(96, KeyShortcut::command);
    EXPECT_EQ(shortcut, (KeyShortcut{96, 256 + 8388608, false}));
    EXPECT_EQ(toJson(shortcut), nlohmann::json::parse(R"({"keyCode":96,"modifiers":8388864,"doubledModifiers":false})"));
}

TEST(KeyShortcut, DoubleTapOfOptionIsKeyCodeZeroWithTheOptionBit) {
    const auto shortcut = KeyShortcut::doubleTap(KeyShortcut::option);
    EXPECT_EQ(shortcut, (KeyShortcut{0, 2048, true}));
    EXPECT_EQ(toJson(shortcut), nlohmann::json::parse(R"({"keyCode":0,"modifiers":2048,"doubledModifiers":true})"));
}

TEST(KeyShortcut, OnlyF1ToF20AreFunctionKeys) {
    for (const int keyCode : kFunctionKeyCodes)
        EXPECT_EQ(KeyShortcut::combination(keyCode, KeyShortcut::shift).modifiers, 0x200 | 0x800000) << keyCode;
    for (const int keyCode : {0, 36, 49, 53, 123, 126})  // A, return, space, escape, arrows
        EXPECT_EQ(KeyShortcut::combination(keyCode, KeyShortcut::control).modifiers, 0x1000) << keyCode;
}

TEST(KeyShortcut, DoubleTapNeedsExactlyOneModifier) {
    EXPECT_DEATH(KeyShortcut::doubleTap(KeyShortcut::command | KeyShortcut::shift), "Fatal error: A double tap");
}

TEST(KeyShortcut, EqualOnlyWhenAllThreeFieldsAre) {
    const KeyShortcut shortcut{96, 256, false};
    EXPECT_EQ(shortcut, (KeyShortcut{96, 256, false}));
    EXPECT_NE(shortcut, (KeyShortcut{97, 256, false}));
    EXPECT_NE(shortcut, (KeyShortcut{96, 512, false}));
    EXPECT_NE(shortcut, (KeyShortcut{96, 256, true}));
}

TEST(KeyShortcut, StoredFormReadsBackAndAcceptsWholeNumbersOnly) {
    for (const auto& shortcut : {KeyShortcut{96, 8388864, false}, KeyShortcut{0, 2048, true}})
        EXPECT_EQ(keyShortcutFromJson(toJson(shortcut)), shortcut);
    EXPECT_EQ(keyShortcutFromJson(nlohmann::json::parse(R"({"keyCode":96.0,"modifiers":256,"doubledModifiers":false})")),
              (KeyShortcut{96, 256, false}));

    for (const auto* text : {
             R"({"keyCode":96.5,"modifiers":256,"doubledModifiers":false})",
             R"({"keyCode":"96","modifiers":256,"doubledModifiers":false})",
             R"({"keyCode":96,"modifiers":1e10,"doubledModifiers":false})",
             R"({"keyCode":96,"modifiers":4294967296,"doubledModifiers":false})",
             R"({"keyCode":96,"modifiers":256,"doubledModifiers":0})",
             R"({"keyCode":96,"modifiers":256})",
             R"({"modifiers":256,"doubledModifiers":false})",
             R"([96,256,false])",
         }) {
        SCOPED_TRACE(text);
        EXPECT_THROW(keyShortcutFromJson(nlohmann::json::parse(text)), JsonDecodingError);
    }
}

}  // namespace
}  // namespace spinewise
