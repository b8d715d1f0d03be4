#include "SettingsTestSupport.hpp"

#include <sys/resource.h>

#include <csignal>
#include <cmath>
#include <limits>

namespace spinewise::testing {
namespace {

using State = Posture::State;

class PreferencesFileTest : public PreferencesTest {
protected:
    std::string keptAsideName() const { return "preferences.plist.unreadable-20261211T081500Z"; }
    nlohmann::json savedJson() const { return nlohmann::json::parse(readFile(preferencesFile())); }
};

TEST_F(PreferencesFileTest, FirstStartLogsThePathAndTheReadErrorAndWritesNothingUntilSaved) {
    const auto preferences = makePreferences();

    const std::string path = preferencesFile().string();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Loading preferences from: " + path,
                                                   "Cannot read " + path + ": No such file or directory"}));
    EXPECT_EQ(toJson(stateOf(*preferences)), toJson(defaults()));
    EXPECT_TRUE(preferences->history().empty());
    EXPECT_TRUE(entriesOf(applicationDirectory()).empty()) << "nothing is written before save, nothing kept aside";

    preferences->save();
    const auto saved = savedJson();
    for (const auto* key : {"scheduleInterval", "correctPostureTime", "poorPostureTime", "unknownPostureTime",
                            "eyeLevelInPercent", "notificationColor", "notificationTransparency",
                            "playNotificationSound", "notificationSoundFilename", "showStatusBarItem",
                            "showPreferencesWindowOnStartUp", "launchAtLogin", "history"})
        EXPECT_TRUE(saved.contains(key)) << key;
    EXPECT_EQ(saved.size(), 13U) << "the absent optional keys are left out";
}

TEST_F(PreferencesFileTest, LoadsEveryStoredValue) {
    installFixture("complete.plist");
    const auto preferences = makePreferences();

    EXPECT_EQ(log.lines().size(), 1U);
    EXPECT_EQ(preferences->scheduleInterval(), 3.0);
    EXPECT_EQ(preferences->correctPostureTime(), 4.5);
    EXPECT_EQ(preferences->poorPostureTime(), 1.5);
    EXPECT_EQ(preferences->unknownPostureTime(), 12.0);
    EXPECT_EQ(preferences->eyeLevelInPercent(), 0.62);
    EXPECT_EQ(preferences->notificationColor(), (Color{0.1, 0.2, 0.3, 0.4}));
    EXPECT_EQ(preferences->notificationTransparency(), 0.25);
    EXPECT_FALSE(preferences->playNotificationSound());
    EXPECT_EQ(preferences->notificationSoundFilename(), "Chime.ogg");
    EXPECT_EQ(preferences->selectedVideoDeviceUID(), "usb-0000:00:14.0-1");
    EXPECT_EQ(preferences->keyCombo(), (KeyShortcut{96, 0x100 | 0x800000, false}));
    EXPECT_FALSE(preferences->showStatusBarItem());
    EXPECT_TRUE(preferences->showPreferencesWindowOnStartUp());
    EXPECT_TRUE(preferences->launchAtLogin());
    ASSERT_EQ(preferences->history().size(), 2U);
    EXPECT_EQ(toJson(preferences->history()[0]), (nlohmann::json{{"state", "poor"}, {"start", 786000000.5}}));
    EXPECT_EQ(toJson(preferences->history()[1]), (nlohmann::json{{"state", "correct"}, {"start", 786000012.0}}));
}

struct UnusableFile {
    const char* fixture;
    const char* errorMentions;
};

class UnusableFileTest : public PreferencesFileTest, public ::testing::WithParamInterface<UnusableFile> {};

TEST_P(UnusableFileTest, WholeFileFallsBackToTheDefaultsAndIsKeptAside) {
    installFixture(GetParam().fixture);
    const auto original = readFile(preferencesFile());

    const auto preferences = makePreferences();

    EXPECT_EQ(toJson(stateOf(*preferences)), toJson(defaults()));
    ASSERT_EQ(log.lines().size(), 3U);
    EXPECT_EQ(log.lines()[0], "Loading preferences from: " + preferencesFile().string());
    EXPECT_THAT(log.lines()[1], ::testing::HasSubstr(GetParam().errorMentions));
    const auto kept = applicationDirectory() / keptAsideName();
    EXPECT_EQ(log.lines()[2], "Kept the unreadable preferences file as " + kept.string());
    EXPECT_EQ(entriesOf(applicationDirectory()), std::set<std::string>{keptAsideName()});
    EXPECT_EQ(readFile(kept), original);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, UnusableFileTest,
    ::testing::Values(UnusableFile{"missing-launchAtLogin.plist", "missing key \"launchAtLogin\""},
                      UnusableFile{"keyCombo-without-doubledModifiers.plist", "\"keyCombo.doubledModifiers\""},
                      UnusableFile{"keyCode-fraction.plist", "\"keyCombo.keyCode\" is not a whole number"},
                      UnusableFile{"playNotificationSound-number.plist", "\"playNotificationSound\" is not true"},
                      UnusableFile{"color-without-alpha.plist", "\"notificationColor.alpha\""},
                      UnusableFile{"history-bad-element.plist", "history element 2"},
                      UnusableFile{"truncated.plist", "parse error"},
                      UnusableFile{"not-an-object.plist", "not a JSON object"}),
    [](const auto& testCase) {
        std::string name = testCase.param.fixture;
        name = name.substr(0, name.find('.'));
        std::erase(name, '-');
        return name;
    });

TEST_F(PreferencesFileTest, KeptAsideFileNeverReplacesAnEarlierOne) {
    writeFile(applicationDirectory() / keptAsideName(), "earlier");
    installFixture("truncated.plist");

    makePreferences();

    EXPECT_EQ(readFile(applicationDirectory() / keptAsideName()), "earlier");
    EXPECT_EQ(readFile(applicationDirectory() / (keptAsideName() + "-2")), readFile(fixture("truncated.plist")));
}

TEST_F(PreferencesFileTest, UnreadableFileIsKeptAsideToo) {
    std::filesystem::create_directories(preferencesFile() / "not-a-file");

    makePreferences();

    EXPECT_EQ(log.lines()[1], "Cannot read " + preferencesFile().string() + ": Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(applicationDirectory() / keptAsideName() / "not-a-file"));
}

TEST_F(PreferencesFileTest, OptionalKeysAbsentOrNullLoadAsAbsentAndAreNotSaved) {
    for (const auto* name : {"optional-keys-absent.plist", "optional-keys-null.plist"}) {
        SCOPED_TRACE(name);
        installFixture(name);
        const auto preferences = makePreferences();
        EXPECT_FALSE(preferences->selectedVideoDeviceUID());
        EXPECT_FALSE(preferences->keyCombo());
        EXPECT_EQ(preferences->notificationSoundFilename(), "Chime.ogg") << "the rest of the file is used";

        preferences->save();
        const auto saved = savedJson();
        EXPECT_FALSE(saved.contains("selectedVideoDeviceUID"));
        EXPECT_FALSE(saved.contains("keyCombo"));
    }
}

TEST_F(PreferencesFileTest, ExtraKeysAreIgnoredAndGoneAfterSave) {
    installFixture("extra-keys.plist");
    const auto preferences = makePreferences();
    EXPECT_EQ(preferences->notificationColor(), (Color{0.1, 0.2, 0.3, 0.4}));

    preferences->save();

    auto expected = nlohmann::json::parse(readFile(fixture("complete.plist")));
    EXPECT_EQ(savedJson(), expected);
}

TEST_F(PreferencesFileTest, WholeNumbersAreReadWhereverNumbersAre) {
    installFixture("whole-numbers.plist");
    const auto preferences = makePreferences();

    EXPECT_EQ(preferences->scheduleInterval(), 2.0);
    EXPECT_EQ(preferences->eyeLevelInPercent(), 1.0);
    EXPECT_EQ(preferences->notificationColor(), (Color{1, 0, 0, 1}));
    EXPECT_EQ(preferences->notificationTransparency(), 0.0);
    EXPECT_EQ(preferences->keyCombo(), (KeyShortcut{96, 0x800100, false}));
    ASSERT_EQ(preferences->history().size(), 1U);
    EXPECT_EQ(preferences->history()[0].state, State::poor);
    EXPECT_EQ(preferences->history()[0].start, 0.0);
}

TEST_F(PreferencesFileTest, StoredScheduleIntervalIsKeptAsItIs) {
    auto json = nlohmann::json::parse(readFile(fixture("complete.plist")));
    for (const double interval : {0.0, 3.0, 6.0}) {
        json["scheduleInterval"] = interval;
        writeFile(preferencesFile(), json.dump());
        EXPECT_EQ(makePreferences()->scheduleInterval(), interval);
    }
}

TEST_F(PreferencesFileTest, SavedFileIsCompactAndLoadsBackEveryValue) {
    const auto preferences = makePreferences();
    preferences->setScheduleInterval(6);
    preferences->setCorrectPostureTime(7.25);
    preferences->setPoorPostureTime(0.1);
    preferences->setUnknownPostureTime(30);
    preferences->setEyeLevelInPercent(0.1 + 0.2);
    preferences->setNotificationColor({0.25, 0.5, 0.75, 0.125});
    preferences->setNotificationTransparency(0.8);
    preferences->setPlayNotificationSound(false);
    preferences->setNotificationSoundFilename("Glass \"2\".wav");
    preferences->setSelectedVideoDeviceUID("usb-046d:0825-video-index0");
    preferences->setKeyCombo(KeyShortcut::doubleTap(KeyShortcut::option));
    preferences->setShowStatusBarItem(false);
    preferences->setShowPreferencesWindowOnStartUp(true);
    preferences->setLaunchAtLogin(true);
    preferences->appendToHistory({State::poor, 786000000.123456789});
    preferences->appendToHistory({State::correct, -1e-300});
    preferences->save();

    const auto text = readFile(preferencesFile());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.find("\": "), std::string::npos);
    EXPECT_EQ(entriesOf(applicationDirectory()), std::set<std::string>{"preferences.plist"})
        << "no temporary file is left behind";
    EXPECT_EQ(savedJson()["notificationColor"]["alpha"], 0.125) << "alpha is stored although the overlay ignores it";

    const auto loaded = makePreferences();
    EXPECT_EQ(toJson(stateOf(*loaded)), toJson(stateOf(*preferences)));
}

TEST_F(PreferencesFileTest, FailedWriteLeavesTheOldFileAndLogsOneLine) {
    installFixture("complete.plist");
    const auto old = readFile(preferencesFile());
    const auto preferences = makePreferences();
    preferences->setHistory(std::vector<Posture>(1000, Posture{State::poor, 786000000.5}));
    log.clear();

    // The child may write only 100 bytes into any file (its captured stderr
    // included), so the save stops part way; it reports by exit code.
    const std::vector<std::string> expected{"Cannot write " + preferencesFile().string() + ": File too large"};
    const auto saveWithTinyFileSizeLimit = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        setrlimit(RLIMIT_FSIZE, &limit);
        preferences->save();
        std::_Exit(log.lines() == expected ? 0 : 1);
    };
    EXPECT_EXIT(saveWithTinyFileSizeLimit(), ::testing::ExitedWithCode(0), "");

    EXPECT_EQ(readFile(preferencesFile()), old);
    EXPECT_EQ(entriesOf(applicationDirectory()), std::set<std::string>{"preferences.plist"});
}

TEST_F(PreferencesFileTest, NumberThatIsNotFiniteCannotBeSaved) {
    const auto preferences = makePreferences();
    preferences->setEyeLevelInPercent(std::numeric_limits<double>::quiet_NaN());
    EXPECT_DEATH(preferences->save(), "Fatal error: Cannot encode the preferences: a number is not finite");
}

}  // namespace
}  // namespace spinewise::testing
