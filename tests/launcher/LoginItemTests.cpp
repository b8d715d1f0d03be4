#include "platform/LoginItem.hpp"
#include "support/CommonTestSupport.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace spinewise {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TemporaryDirectory;

class LoginItemTest : public ::testing::Test {
protected:
    TemporaryDirectory config;
    const fs::path autostart = config.path() / "autostart";
    const fs::path entry = autostart / "com.brightfold.spinewise-launcher.desktop";
    LoginItem item{std::string(LoginItem::kLauncherIdentifier), autostart,
                   "/opt/spinewise/libexec/spinewise/spinewise-launcher"};
};

TEST_F(LoginItemTest, EnablingWritesAnAutostartEntryThatRunsTheLauncher) {
    ASSERT_EQ(item.setEnabled(true), std::nullopt);

    EXPECT_EQ(readFile(entry), LoginItem::desktopEntry("/opt/spinewise/libexec/spinewise/spinewise-launcher"));
    const auto text = readFile(entry);
    EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=/opt/spinewise/libexec/spinewise/spinewise-launcher\n"), std::string::npos);
}

TEST_F(LoginItemTest, EnablingTwiceReplacesTheEntryAndLeavesNothingBeside) {
    ASSERT_EQ(item.setEnabled(true), std::nullopt);
    ASSERT_EQ(item.setEnabled(true), std::nullopt);

    EXPECT_EQ(std::distance(fs::directory_iterator(autostart), fs::directory_iterator()), 1);
    EXPECT_TRUE(fs::exists(entry));
}

TEST_F(LoginItemTest, DisablingRemovesTheEntryAndAMissingEntryIsNoFailure) {
    ASSERT_EQ(item.setEnabled(true), std::nullopt);

    ASSERT_EQ(item.setEnabled(false), std::nullopt);
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(item.setEnabled(false), std::nullopt);
}

TEST_F(LoginItemTest, FailuresCarryTheIdentifierCode500AndTheFixedDescription) {
    // A file where the configuration folder should be: no entry can live below it.
    std::ofstream(config.path() / "file") << "x";
    const LoginItem blocked(std::string(LoginItem::kLauncherIdentifier), config.path() / "file/autostart",
                            "/usr/libexec/spinewise/spinewise-launcher");
    const LoginItem homeless(std::string(LoginItem::kLauncherIdentifier), std::nullopt,
                             "/usr/libexec/spinewise/spinewise-launcher");

    for (const auto* broken : {&blocked, &homeless}) {
        for (const bool enabled : {true, false}) {
            SCOPED_TRACE(enabled ? "enable" : "disable");
            const auto error = broken->setEnabled(enabled);
            ASSERT_TRUE(error);
            EXPECT_EQ(error->domain, "com.brightfold.spinewise-launcher");
            EXPECT_EQ(error->code, 500);
            EXPECT_EQ(error->description, enabled ? "Failed to enable login item." : "Failed to disable login item.");
            EXPECT_FALSE(error->reason.empty());
        }
    }
}

TEST_F(LoginItemTest, EnablingWithoutAKnownLauncherFailsRatherThanWritingABrokenEntry) {
    const LoginItem lost(std::string(LoginItem::kLauncherIdentifier), autostart, fs::path());

    const auto error = lost.setEnabled(true);

    ASSERT_TRUE(error);
    EXPECT_EQ(error->description, "Failed to enable login item.");
    EXPECT_FALSE(fs::exists(entry));
}

TEST(LoginItemEntryTest, ExecQuotesAndEscapesTheLauncherPathAsDesktopEntriesRequire) {
    const struct {
        const char* launcher;
        const char* exec;
    } cases[] = {
        {"/usr/libexec/spinewise/spinewise-launcher", "Exec=/usr/libexec/spinewise/spinewise-launcher\n"},
        {"/home/ann/My Apps/spinewise-launcher", "Exec=\"/home/ann/My Apps/spinewise-launcher\"\n"},
        // Inside quotes ", `, $ and \ take a backslash; the value level doubles backslashes again.
        {"/srv/$x/a\"b/spinewise-launcher", "Exec=\"/srv/\\\\$x/a\\\\\"b/spinewise-launcher\"\n"},
        {"/srv/a\\b/spinewise-launcher", "Exec=\"/srv/a\\\\\\\\b/spinewise-launcher\"\n"},
        // A percent sign would start a field code.
        {"/srv/100%/spinewise-launcher", "Exec=/srv/100%%/spinewise-launcher\n"},
    };
    for (const auto& [launcher, exec] : cases) {
        SCOPED_TRACE(launcher);
        EXPECT_NE(LoginItem::desktopEntry(launcher).find(std::string("\n") + exec), std::string::npos)
            << LoginItem::desktopEntry(launcher);
    }
}

TEST(LoginItemProgramTest, UsesTheConfigHomeAndTheLauncherBesideThisProgram) {
    TemporaryDirectory config;
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);

    const auto item = LoginItem::forProgram();
    ASSERT_EQ(item.setEnabled(true), std::nullopt);

    if (saved)
        setenv("XDG_CONFIG_HOME", saved->c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(item.entryPath(), config.path() / "autostart/com.brightfold.spinewise-launcher.desktop");
    const auto self = fs::read_symlink("/proc/self/exe");
    EXPECT_NE(readFile(*item.entryPath())
                  .find("\nExec=" + (self.parent_path().parent_path() / "libexec/spinewise/spinewise-launcher").string() +
                        "\n"),
              std::string::npos);
}

TEST(LauncherLayoutTest, TheLauncherLivesInLibexecBesideTheProgramsBin) {
    EXPECT_EQ(launcherPathForProgram("/usr/bin/spinewise"), "/usr/libexec/spinewise/spinewise-launcher");
    EXPECT_EQ(launcherPathForProgram("/work/build/bin/spinewise"), "/work/build/libexec/spinewise/spinewise-launcher");
}

}  // namespace
}  // namespace spinewise
