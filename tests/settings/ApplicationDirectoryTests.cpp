#include "SettingsTestSupport.hpp"

#include "settings/ApplicationDirectory.hpp"
#include "settings/XdgBaseDirectories.hpp"

#include <sys/stat.h>

#include <map>

namespace spinewise::testing {
namespace {

struct XdgCase {
    const char* name;
    std::map<std::string, std::string> environment;
    std::optional<std::filesystem::path> dataHome;
    std::optional<std::filesystem::path> configHome;
};

class XdgBaseDirectoriesTest : public ::testing::TestWithParam<XdgCase> {};

TEST_P(XdgBaseDirectoriesTest, FollowsTheXdgRules) {
    const auto& environment = GetParam().environment;
    const XdgBaseDirectories directories([&](const char* name) -> std::optional<std::string> {
        const auto value = environment.find(name);
        if (value == environment.end()) return std::nullopt;
        return value->second;
    });
    EXPECT_EQ(directories.dataHome(), GetParam().dataHome);
    EXPECT_EQ(directories.configHome(), GetParam().configHome);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, XdgBaseDirectoriesTest,
    ::testing::Values(
        XdgCase{"Set", {{"XDG_DATA_HOME", "/d"}, {"XDG_CONFIG_HOME", "/c"}, {"HOME", "/home/u"}}, "/d", "/c"},
        XdgCase{"Unset", {{"HOME", "/home/u"}}, "/home/u/.local/share", "/home/u/.config"},
        XdgCase{"Empty",
                {{"XDG_DATA_HOME", ""}, {"XDG_CONFIG_HOME", ""}, {"HOME", "/home/u"}},
                "/home/u/.local/share",
                "/home/u/.config"},
        XdgCase{"Relative",
                {{"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", "./c"}, {"HOME", "/home/u"}},
                "/home/u/.local/share",
                "/home/u/.config"},
        XdgCase{"SetWithoutHome", {{"XDG_DATA_HOME", "/d"}}, "/d", std::nullopt},
        XdgCase{"NoHome", {}, std::nullopt, std::nullopt},
        XdgCase{"EmptyHome", {{"HOME", ""}}, std::nullopt, std::nullopt}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

mode_t permissionsOf(const std::filesystem::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class ApplicationDirectoryTest : public ::testing::Test {
protected:
    TemporaryDirectory home;
    std::shared_ptr<RecordingAlerts> alerts = std::make_shared<RecordingAlerts>();
};

TEST_F(ApplicationDirectoryTest, CreatesTheFolderAndMissingParentsPrivately) {
    const auto dataHome = home.path() / ".local" / "share";
    const ApplicationDirectory directory(dataHome, alerts);

    EXPECT_EQ(directory.filePathWithin("preferences.plist"),
              dataHome / "com.brightfold.spinewise" / "preferences.plist");

    for (const auto& created : {home.path() / ".local", dataHome, dataHome / "com.brightfold.spinewise"})
        EXPECT_EQ(permissionsOf(created), 0700U) << created;
    EXPECT_TRUE(alerts->texts.empty());
}

TEST_F(ApplicationDirectoryTest, LeavesAnExistingFolderAsItIs) {
    const auto folder = home.path() / "com.brightfold.spinewise";
    std::filesystem::create_directory(folder);
    ::chmod(folder.c_str(), 0755);

    EXPECT_EQ(ApplicationDirectory(home.path(), alerts).path(), folder);
    EXPECT_EQ(permissionsOf(folder), 0755U);
}

TEST_F(ApplicationDirectoryTest, CreationFailureIsAlertedAndThePathReturnedAnyway) {
    const auto blocker = home.path() / "share";
    writeFile(blocker, "a file where a folder should be");

    const ApplicationDirectory directory(blocker, alerts);

    EXPECT_EQ(directory.path(), blocker / "com.brightfold.spinewise");
    EXPECT_EQ(alerts->texts, std::vector<std::string>{"Cannot create the folder " +
                                                      (blocker / "com.brightfold.spinewise").string() +
                                                      ": Not a directory"});
}

TEST_F(ApplicationDirectoryTest, NoDataHomeGivesNoPathAndStopsFileLookups) {
    const ApplicationDirectory directory(std::nullopt, alerts);
    EXPECT_FALSE(directory.path());
    EXPECT_DEATH(directory.filePathWithin("preferences.plist"), "Fatal error: filePathWithinApplicationDirectory == nil");
}

class UncreatableDirectoryTest : public PreferencesTest {
protected:
    void SetUp() override { writeFile(dataHome(), "a file where a folder should be"); }
};

TEST_F(UncreatableDirectoryTest, PreferencesGoOnWithTheDefaultsAndSaveFailsWithALogLine) {
    const auto preferences = makePreferences();

    EXPECT_EQ(alerts->texts.size(), 1U);
    EXPECT_EQ(toJson(stateOf(*preferences)), toJson(defaults()));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                             "Loading preferences from: " + preferencesFile().string(),
                             "Cannot read " + preferencesFile().string() + ": Not a directory",
                         }))
        << "a file that cannot exist is missing, not kept aside";

    log.clear();
    preferences->save();
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Cannot write " + preferencesFile().string() + ": Not a directory"});
}

}  // namespace
}  // namespace spinewise::testing
