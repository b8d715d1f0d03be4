#include "shell/HotKeyService.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace spinewise {
namespace {

/// A registrar that keeps its hot keys in a table, writes down every call and
/// refuses combinations on request, as a system would.
class FakeRegistrar final : public HotKeyRegistrar {
public:
    struct HotKey {
        KeyShortcut shortcut;
        std::function<void()> action;
    };

    void unregisterHotKey(std::string_view identifier) override {
        calls.push_back("unregister " + std::string(identifier));
        hotKeys.erase(std::string(identifier));
    }

    bool registerHotKey(std::string identifier, KeyShortcut shortcut, std::function<void()> action) override {
        calls.push_back("register " + identifier + " " + std::to_string(shortcut.keyCode));
        if (refuseEverything || hotKeys.contains(identifier)) return false;
        hotKeys.emplace(std::move(identifier), HotKey{shortcut, std::move(action)});
        return true;
    }

    void press(const std::string& identifier) const { hotKeys.at(identifier).action(); }

    std::vector<std::string> calls;
    std::map<std::string, HotKey, std::less<>> hotKeys;
    bool refuseEverything = false;
};

class HotKeyServiceTest : public ::testing::Test {
protected:
    FakeRegistrar registrar;
    int checks = 0;
    HotKeyService service{registrar, [this] { ++checks; }};

    const KeyShortcut ctrlAltP = KeyShortcut::combination(0x23, KeyShortcut::command | KeyShortcut::option);
    const KeyShortcut ctrlF1 = KeyShortcut::combination(122, KeyShortcut::command);
};

TEST_F(HotKeyServiceTest, RegistersTheShortcutUnderOneIdentifierAndItsPressChecksPosture) {
    service.registerShortcut(ctrlAltP);

    EXPECT_EQ(registrar.calls, (std::vector<std::string>{"unregister shortcutID", "register shortcutID 35"}));
    ASSERT_EQ(registrar.hotKeys.size(), 1u);
    EXPECT_EQ(registrar.hotKeys.at("shortcutID").shortcut, ctrlAltP);
    EXPECT_EQ(checks, 0);
    registrar.press("shortcutID");
    registrar.press("shortcutID");
    EXPECT_EQ(checks, 2);
}

TEST_F(HotKeyServiceTest, ANewShortcutReplacesTheOldOneAfterItIsUnregistered) {
    service.registerShortcut(ctrlAltP);
    service.registerShortcut(ctrlF1);
    service.registerShortcut(ctrlF1);

    EXPECT_EQ(registrar.calls, (std::vector<std::string>{"unregister shortcutID", "register shortcutID 35",
                                                         "unregister shortcutID", "register shortcutID 122",
                                                         "unregister shortcutID", "register shortcutID 122"}));
    ASSERT_EQ(registrar.hotKeys.size(), 1u);
    EXPECT_EQ(registrar.hotKeys.at("shortcutID").shortcut, ctrlF1);
}

TEST_F(HotKeyServiceTest, AClearedShortcutLeavesNoneRegistered) {
    service.registerShortcut(KeyShortcut::doubleTap(KeyShortcut::option));
    service.registerShortcut(std::nullopt);

    EXPECT_EQ(registrar.calls.back(), "unregister shortcutID");
    EXPECT_TRUE(registrar.hotKeys.empty());
}

TEST_F(HotKeyServiceTest, ARefusedShortcutIsInactiveAndTheNextOneStillRegisters) {
    registrar.refuseEverything = true;
    service.registerShortcut(ctrlAltP);
    EXPECT_TRUE(registrar.hotKeys.empty());

    registrar.refuseEverything = false;
    service.registerShortcut(ctrlF1);
    EXPECT_EQ(registrar.hotKeys.at("shortcutID").shortcut, ctrlF1);
}

}  // namespace
}  // namespace spinewise
