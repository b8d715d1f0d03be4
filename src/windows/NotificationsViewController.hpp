#pragma once

#include "settings/UserDefaults.hpp"
#include "windows/PreferenceBindings.hpp"
#include "windows/PreferencesViewController.hpp"
#include "windows/ShortcutRecorderDelegate.hpp"

#include <QPointer>

class QCheckBox;
class QColorDialog;
class QFileDialog;
class QLabel;
class QPushButton;
class QSlider;
class QUrl;

namespace spinewise {

class Preferences;
class ShortcutRecorder;

/// The "Notifications" tab: the overlay's colour and transparency, the alert
/// sound (on or off, the file the user picked or the default) and the global
/// shortcut of "Check Posture". Its controls follow the settings and write them.
class NotificationsViewController final : public PreferencesViewController, private ShortcutRecorderDelegate {
public:
    /// The picked sound's bookmark goes to `userDefaults`.
    NotificationsViewController(Preferences& preferences, UserDefaults userDefaults, QWidget* parent = nullptr);

    ShortcutRecorder& shortcutRecordView() const { return *shortcutRecorder_; }

    /// Shows the shortcut setting in the recorder.
    void viewDidAppear() override;

    /// Opens a file dialog that picks one sound file (or raises the open one):
    /// accepting it stores the file's bookmark and shows its name.
    QFileDialog& browseNotificationSound();
    /// Goes back to the default sound and forgets the picked file's bookmark.
    void resetNotificationSound();
    /// Opens a colour dialog for the overlay colour.
    QColorDialog& chooseNotificationColor();

private:
    void soundFileChosen(const QUrl& location);

    bool shortcutRecorderShouldBeginRecording(ShortcutRecorder& recorder) override;
    bool shortcutRecorderCanRecordShortcut(ShortcutRecorder& recorder, const KeyShortcut& shortcut) override;
    void shortcutRecorderDidClearShortcut(ShortcutRecorder& recorder) override;
    void shortcutRecorderDidChangeShortcut(ShortcutRecorder& recorder, const KeyShortcut& shortcut) override;
    void shortcutRecorderDidEndRecording(ShortcutRecorder& recorder) override;

    Preferences& preferences_;
    UserDefaults userDefaults_;
    QPushButton* colorButton_;
    QSlider* transparencySlider_;
    QCheckBox* playSoundCheckBox_;
    QLabel* soundFileLabel_;
    ShortcutRecorder* shortcutRecorder_;
    QPointer<QFileDialog> soundDialog_;
    PreferenceBindings bindings_;
};

}  // namespace spinewise
