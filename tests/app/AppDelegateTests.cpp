#include "foundation/VirtualClock.hpp"
#include "settings/Preferences.hpp"
#include "shell/AppDelegate.hpp"
#include "support/CommonTestSupport.hpp"
#include "support/TestPreferences.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

/// An application delegate over real settings in a test home, with every other
/// collaborator recording what it was asked to do, in one shared journal.
class AppDelegateTest : public ::testing::Test {
protected:
    class RecordingController final : public MenuBarController {
    public:
        explicit RecordingController(std::vector<std::string>& journal) : journal_(journal) {}
        void showPreferencesWindow() override { journal_.emplace_back("showPreferencesWindow"); }
        void startMonitoring() override { journal_.emplace_back("startMonitoring"); }

    private:
        std::vector<std::string>& journal_;
    };

    Preferences& preferences() {
        if (!preferences_) {
            journal.emplace_back("loadPreferences");
            preferences_ = std::make_unique<Preferences>(
                testing::preferencesEnvironmentIn(home.path(), alerts, screen, resources, clock));
        }
        return *preferences_;
    }

    std::filesystem::path preferencesFile() const { return home.path() / "data" / "com.brightfold.spinewise" / "preferences.plist"; }

    AppDelegateEnvironment environment() {
        return AppDelegateEnvironment{
            .preferences = [this]() -> Preferences& { return preferences(); },
            .registerShortcut =
                [this](const std::optional<KeyShortcut>& shortcut) {
                    journal.emplace_back("registerShortcut");
                    shortcuts.push_back(shortcut);
                },
            .makeController =
                [this](ApplicationActions&) {
                    journal.emplace_back("makeController");
                    return std::make_unique<RecordingController>(journal);
                },
            .loadPresets = [this] { journal.emplace_back("loadPresets"); },
            .preferencesFileExists = [this] { return std::filesystem::exists(preferencesFile()); },
            .isCameraRunning = [this] { return cameraRunning; },
            .showHistoryWindow = [this] { journal.emplace_back("showHistoryWindow"); },
            .showAbout = [this] { journal.emplace_back("showAbout"); },
            .infoString = [this](std::string_view key) -> std::optional<std::string> {
                if (key == "CFBundleShortVersionString") return version;
                if (key == "com.brightfold.spinewise.GitRevChecksum") return revision;
                return std::nullopt;
            },
            .composeEmail =
                [this](const std::string& recipient, const std::string& subject) {
                    mails.push_back(recipient + " | " + subject);
                    return mailProgramAvailable;
                },
            .showWarning =
                [this](const std::string& message, const std::string& informative) {
                    warnings.push_back(message + " | " + informative);
                },
            .quit = [this] { journal.emplace_back("quit"); },
        };
    }

    /// A settings file from an earlier run, with `showOnStartUp`.
    void saveEarlierSettings(bool showOnStartUp) {
        preferences().setShowPreferencesWindowOnStartUp(showOnStartUp);
        preferences().save();
        preferences_.reset();
        journal.clear();
    }

    testing::TemporaryDirectory home;
    std::shared_ptr<testing::RecordingAlerts> alerts = std::make_shared<testing::RecordingAlerts>();
    testing::FakeMainScreen screen;
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    VirtualClock clock{1000};
    std::unique_ptr<Preferences> preferences_;

    std::vector<std::string> journal;
    std::vector<std::optional<KeyShortcut>> shortcuts;
    bool cameraRunning = false;
    std::optional<std::string> version = "0.1.0";
    std::optional<std::string> revision = "abc1234";
    bool mailProgramAvailable = true;
    std::vector<std::string> mails;
    std::vector<std::string> warnings;
};

TEST_F(AppDelegateTest, FirstStartRunsTheStartUpInOrderAndOpensThePreferencesWindow) {
    AppDelegate delegate(environment());
    delegate.applicationDidFinishLaunching();

    EXPECT_THAT(journal, ElementsAre("loadPreferences", "registerShortcut", "makeController", "loadPresets",
                                     "showPreferencesWindow"));
    EXPECT_THAT(shortcuts, ElementsAre(std::nullopt));
}

TEST_F(AppDelegateTest, LaterStartOpensThePreferencesWindowOnlyWhenAskedTo) {
    for (const bool showOnStartUp : {false, true}) {
        SCOPED_TRACE(showOnStartUp);
        saveEarlierSettings(showOnStartUp);
        AppDelegate delegate(environment());
        delegate.applicationDidFinishLaunching();
        EXPECT_EQ(journal.back(), showOnStartUp ? "showPreferencesWindow" : "loadPresets");
    }
}

TEST_F(AppDelegateTest, EveryKeyComboChangeRegistersTheShortcutOnceUntilTermination) {
    AppDelegate delegate(environment());
    delegate.applicationDidFinishLaunching();
    const auto f5 = KeyShortcut::combination(96, KeyShortcut::command);
    const auto doubleOption = KeyShortcut::doubleTap(KeyShortcut::option);

    preferences().setKeyCombo(f5);
    preferences().setKeyCombo(doubleOption);
    preferences().setKeyCombo(doubleOption);
    preferences().setKeyCombo(std::nullopt);
    EXPECT_THAT(shortcuts, ElementsAre(std::nullopt, f5, doubleOption, doubleOption, std::nullopt));

    delegate.applicationWillTerminate();
    preferences().setKeyCombo(f5);
    EXPECT_EQ(shortcuts.size(), 5U);
}

TEST_F(AppDelegateTest, TerminationSavesTheSettingsWithTheHistory) {
    AppDelegate delegate(environment());
    delegate.applicationDidFinishLaunching();
    preferences().appendToHistory(Posture{.state = Posture::State::poor, .start = 1000});
    ASSERT_FALSE(std::filesystem::exists(preferencesFile()));

    delegate.applicationWillTerminate();

    preferences_.reset();
    ASSERT_EQ(preferences().history().size(), 1U);
    EXPECT_EQ(preferences().history().front().state, Posture::State::poor);
}

TEST_F(AppDelegateTest, CheckPostureStartsMonitoringOnlyWhileTheCameraIsOff) {
    AppDelegate delegate(environment());
    delegate.checkPosture();  // before start-up: no controller yet
    delegate.applicationDidFinishLaunching();
    journal.clear();

    cameraRunning = true;
    delegate.checkPosture();
    EXPECT_THAT(journal, IsEmpty());

    cameraRunning = false;
    delegate.checkPosture();
    EXPECT_THAT(journal, ElementsAre("startMonitoring"));
}

TEST_F(AppDelegateTest, FeedbackOpensAMessageOrWarnsWithTheAddress) {
    struct Case {
        const char* name;
        std::optional<std::string> revision;
        bool mailProgramAvailable;
        bool composed;
    };
    for (const Case& c : {Case{"mail program", "abc1234", true, true}, Case{"no mail program", "abc1234", false, false},
                          Case{"no revision", std::nullopt, true, false}}) {
        SCOPED_TRACE(c.name);
        revision = c.revision;
        mailProgramAvailable = c.mailProgramAvailable;
        mails.clear();
        warnings.clear();

        AppDelegate(environment()).sendFeedback();

        if (c.revision) {
            EXPECT_THAT(mails, ElementsAre("support@brightfold.com | Feedback for Spinewise 0.1.0 (abc1234)"));
        } else {
            EXPECT_THAT(mails, IsEmpty());
        }
        if (c.composed) {
            EXPECT_THAT(warnings, IsEmpty());
        } else {
            EXPECT_THAT(warnings, ElementsAre("Email cannot be sent directly from Spinewise app | "
                                              "Please send feedback to support@brightfold.com"));
        }
    }
}

}  // namespace
}  // namespace spinewise
