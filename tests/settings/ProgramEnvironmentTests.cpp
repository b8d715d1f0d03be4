#include "SettingsTestSupport.hpp"

#include "settings/ProgramEnvironment.hpp"

#include <cstdlib>

namespace spinewise::testing {
namespace {

// The program-wide environment is process state: each test touches it only in
// a child process and reports by exit code.
class ProgramEnvironmentTest : public ::testing::Test {
protected:
    void pointXdgAt(const std::filesystem::path& dataHome) const {
        ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1);
    }

    TemporaryDirectory home;
};

TEST_F(ProgramEnvironmentTest, SharedPreferencesComeFromTheInstalledScreenAndTheXdgFolders) {
    const auto applicationDirectory = home.path() / "data" / "com.brightfold.spinewise";
    const auto run = [&] {
        pointXdgAt(home.path() / "data");
        ProgramEnvironment::install(std::make_shared<FakeMainScreen>(Rect{0, 300, 800, 600}), nullptr);
        const LogRecorder log;
        auto& preferences = Preferences::shared();
        const std::vector<std::byte> bookmark{std::byte{1}, std::byte{2}};
        ProgramEnvironment::userDefaults().setData(kNotificationSoundBookmarkKey, bookmark);
        preferences.save();
        const bool ok = &preferences == &Preferences::shared() && preferences.eyeLevelInPercent() == 1.0 &&
                        preferences.notificationSoundFilename() == "Basso.wav" &&
                        preferences.notificationSoundBookmark() == bookmark &&
                        log.lines().at(0) == "Loading preferences from: " +
                                               (applicationDirectory / "preferences.plist").string();
        std::_Exit(ok ? 0 : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(std::filesystem::is_regular_file(applicationDirectory / "preferences.plist"));
    EXPECT_TRUE(std::filesystem::is_regular_file(home.path() / "config/com.brightfold.spinewise/user-defaults.json"));
}

TEST_F(ProgramEnvironmentTest, SharedPreferencesNeedAnInstalledMainScreen) {
    const auto run = [&] {
        pointXdgAt(home.path() / "data");
        Preferences::shared();
    };
    EXPECT_DEATH(run(), "Fatal error: No main screen installed");
}

TEST_F(ProgramEnvironmentTest, WithoutAnInstalledPresenterAlertsBecomeDiagnosticLines) {
    const auto blocker = home.path() / "data";
    writeFile(blocker, "a file where a folder should be");
    const auto run = [&] {
        pointXdgAt(blocker);
        const LogRecorder log;
        ProgramEnvironment::applicationDirectory().path();
        std::_Exit(log.lines() == std::vector<std::string>{"Cannot create the folder " +
                                                         (blocker / "com.brightfold.spinewise").string() +
                                                         ": Not a directory"}
                       ? 0
                       : 1);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace spinewise::testing
