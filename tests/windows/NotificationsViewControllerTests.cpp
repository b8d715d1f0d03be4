#include "settings/KeyShortcut.hpp"
#include "windows/NotificationsViewController.hpp"
#include "windows/ShortcutRecorder.hpp"
#include "WindowsTestSupport.hpp"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;

std::vector<std::byte> bytesOf(std::string_view text) {
    const auto* begin = reinterpret_cast<const std::byte*>(text.data());
    return {begin, begin + text.size()};
}

class NotificationsViewControllerTest : public ::testing::Test {
protected:
    template <class Control>
    Control& control(const char* name) {
        return testing::findControl<Control>(tab, name);
    }

    std::filesystem::path soundFile(const char* name) const {
        const auto path = settings.home.path() / name;
        std::ofstream(path) << "RIFF";
        return path;
    }

    testing::SettingsHome settings;
    Preferences& preferences = settings.preferences;
    NotificationsViewController tab{preferences, settings.userDefaults};
};

TEST_F(NotificationsViewControllerTest, ControlsFollowTheSettings) {
    preferences.setNotificationTransparency(0.25);
    preferences.setPlayNotificationSound(false);
    preferences.setNotificationSoundFilename("Chime.wav");

    EXPECT_EQ(control<QSlider>("transparencySlider").value(), 25);
    EXPECT_FALSE(control<QCheckBox>("playSoundCheckBox").isChecked());
    EXPECT_EQ(control<QLabel>("soundFileLabel").text(), "Chime.wav");
}

TEST_F(NotificationsViewControllerTest, ControlsWriteTheSettings) {
    control<QSlider>("transparencySlider").setValue(80);
    control<QCheckBox>("playSoundCheckBox").setChecked(false);

    EXPECT_DOUBLE_EQ(preferences.notificationTransparency(), 0.8);
    EXPECT_FALSE(preferences.playNotificationSound());
}

TEST_F(NotificationsViewControllerTest, TheColourDialogSetsTheColourAndKeepsItsAlpha) {
    preferences.setNotificationColor(Color{1, 0, 0, 0.75});

    QColorDialog& dialog = tab.chooseNotificationColor();
    EXPECT_EQ(dialog.currentColor(), QColor(Qt::red));
    dialog.setCurrentColor(QColor(0, 0, 255));
    dialog.accept();

    EXPECT_EQ(preferences.notificationColor(), (Color{0, 0, 1, 0.75}));
}

TEST_F(NotificationsViewControllerTest, PickingASoundFileStoresItsBookmarkAndShowsItsName) {
    const auto path = soundFile("Chime.wav");
    testing::ObserverCount filenameSets(preferences, PreferenceKey::notificationSoundFilename);

    QFileDialog& dialog = tab.browseNotificationSound();
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    dialog.selectFile(QString::fromStdString(path.string()));
    static_cast<QDialog&>(dialog).accept();

    EXPECT_EQ(preferences.notificationSoundFilename(), "Chime.wav");
    EXPECT_EQ(preferences.notificationSoundBookmark(), bytesOf(path.string()));
    EXPECT_EQ(filenameSets.count(), 1);
}

TEST_F(NotificationsViewControllerTest, ASoundFileGoneBeforeItsBookmarkIsMadeStillChangesTheNameAndKeepsTheOldBookmark) {
    const auto earlier = soundFile("Earlier.wav");
    settings.userDefaults.setData(kNotificationSoundBookmarkKey, bytesOf(earlier.string()));
    testing::LogRecorder log;

    const auto vanishing = soundFile("Vanishing.wav");
    QFileDialog& dialog = tab.browseNotificationSound();
    dialog.selectFile(QString::fromStdString(vanishing.string()));
    std::filesystem::remove(vanishing);
    static_cast<QDialog&>(dialog).done(QDialog::Accepted);

    EXPECT_THAT(log.lines(), ElementsAre("Could not create bookmark data"));
    EXPECT_EQ(preferences.notificationSoundFilename(), "Vanishing.wav");
    EXPECT_EQ(preferences.notificationSoundBookmark(), bytesOf(earlier.string()));
}

TEST(NotificationsViewControllerDefaultsTest, UserDefaultsThatCannotBeWrittenAreLoggedAndTheNameStillChanges) {
    testing::SettingsHome settings;
    std::ofstream(settings.home.path() / "plain-file") << "not a folder";
    const UserDefaults unwritable(settings.home.path() / "plain-file" / "user-defaults.json");
    NotificationsViewController tab(settings.preferences, unwritable);
    const auto sound = settings.home.path() / "Chime.wav";
    std::ofstream(sound) << "RIFF";
    testing::LogRecorder log;

    QFileDialog& dialog = tab.browseNotificationSound();
    dialog.selectFile(QString::fromStdString(sound.string()));
    static_cast<QDialog&>(dialog).accept();

    EXPECT_EQ(settings.preferences.notificationSoundFilename(), "Chime.wav");
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_THAT(log.lines()[0], ::testing::HasSubstr("plain-file"));
}

TEST_F(NotificationsViewControllerTest, CancellingTheFileDialogChangesNothing) {
    const std::string before = preferences.notificationSoundFilename();
    testing::ObserverCount filenameSets(preferences, PreferenceKey::notificationSoundFilename);

    static_cast<QDialog&>(tab.browseNotificationSound()).reject();

    EXPECT_EQ(preferences.notificationSoundFilename(), before);
    EXPECT_FALSE(preferences.notificationSoundBookmark());
    EXPECT_EQ(filenameSets.count(), 0);
}

TEST_F(NotificationsViewControllerTest, BrowsingTwiceRaisesTheOpenDialog) {
    QFileDialog& first = tab.browseNotificationSound();
    EXPECT_EQ(&tab.browseNotificationSound(), &first);
}

TEST_F(NotificationsViewControllerTest, ResetGoesBackToTheDefaultSoundAndForgetsOnlyTheBookmark) {
    settings.userDefaults.setData(kNotificationSoundBookmarkKey, bytesOf("/home/someone/Chime.wav"));
    settings.userDefaults.setData("anotherEntry", bytesOf("kept"));
    preferences.setNotificationSoundFilename("Chime.wav");

    tab.resetNotificationSound();

    EXPECT_EQ(preferences.notificationSoundFilename(), "Basso.wav");
    EXPECT_FALSE(preferences.notificationSoundBookmark());
    EXPECT_EQ(settings.userDefaults.data("anotherEntry"), bytesOf("kept"));
}

TEST_F(NotificationsViewControllerTest, ResetWithoutAPickedSoundStillWritesTheDefaultName) {
    testing::ObserverCount filenameSets(preferences, PreferenceKey::notificationSoundFilename);

    tab.resetNotificationSound();

    EXPECT_EQ(filenameSets.count(), 1);
    EXPECT_EQ(preferences.notificationSoundFilename(), "Basso.wav");
    EXPECT_FALSE(preferences.notificationSoundBookmark());
}

TEST_F(NotificationsViewControllerTest, TheRecorderShowsTheShortcutWhenTheTabAppears) {
    const auto shortcut = KeyShortcut::combination(0x23, KeyShortcut::command);
    preferences.setKeyCombo(shortcut);
    EXPECT_FALSE(tab.shortcutRecordView().shortcut());

    tab.viewDidAppear();

    EXPECT_EQ(tab.shortcutRecordView().shortcut(), shortcut);
}

TEST_F(NotificationsViewControllerTest, RecordingAndClearingAreAssignmentsOfTheShortcutSetting) {
    const auto shortcut = KeyShortcut::combination(0x23, KeyShortcut::command);
    preferences.setKeyCombo(shortcut);
    tab.viewDidAppear();
    testing::ObserverCount keyComboSets(preferences, PreferenceKey::keyCombo);
    ShortcutRecorder& recorder = tab.shortcutRecordView();

    recorder.beginRecording();
    QTest::keyClick(&recorder, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(keyComboSets.count(), 1) << "the same shortcut again is set again";
    EXPECT_EQ(preferences.keyCombo(), shortcut);

    QTest::mouseClick(recorder.findChild<QToolButton*>("clearButton"), Qt::LeftButton);
    EXPECT_EQ(keyComboSets.count(), 2);
    EXPECT_FALSE(preferences.keyCombo());

    recorder.beginRecording();
    QTest::keyClick(&recorder, Qt::Key_F5, Qt::AltModifier);
    EXPECT_EQ(keyComboSets.count(), 3);
    EXPECT_EQ(preferences.keyCombo(), KeyShortcut::combination(96, KeyShortcut::option));
}

}  // namespace
}  // namespace spinewise
