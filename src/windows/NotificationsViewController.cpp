#include "windows/NotificationsViewController.hpp"

#include "foundation/Log.hpp"
#include "settings/DefaultSound.hpp"
#include "settings/Preferences.hpp"
#include "windows/ShortcutRecorder.hpp"
#include "windows/SoundBookmark.hpp"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>
#include <filesystem>
#include <system_error>

namespace spinewise {
namespace {

constexpr int kTransparencySteps = 100;

QColor qColor(const Color& color) { return QColor::fromRgbF(float(color.red), float(color.green), float(color.blue)); }

QPixmap swatch(const QColor& color) {
    QPixmap pixmap(40, 14);
    pixmap.fill(color);
    return pixmap;
}

std::string defaultSoundFilename() { return std::filesystem::path(kDefaultSoundResource).filename().string(); }

/// Runs a write of the user defaults; a failure is logged, as nothing may escape a Qt slot.
template <class Write>
void writeUserDefaults(const Write& write) {
    try {
        write();
    } catch (const std::system_error& error) {
        logLine(error.what());
    }
}

}  // namespace

NotificationsViewController::NotificationsViewController(Preferences& preferences, UserDefaults userDefaults,
                                                         QWidget* parent)
    : PreferencesViewController(QStringLiteral("Notifications"), parent),
      preferences_(preferences),
      userDefaults_(std::move(userDefaults)),
      colorButton_(new QPushButton(this)),
      transparencySlider_(new QSlider(Qt::Horizontal, this)),
      playSoundCheckBox_(new QCheckBox(QStringLiteral("Play a sound"), this)),
      soundFileLabel_(new QLabel(this)),
      shortcutRecorder_(new ShortcutRecorder(this)),
      bindings_(preferences) {
    colorButton_->setObjectName(QStringLiteral("colorButton"));
    transparencySlider_->setObjectName(QStringLiteral("transparencySlider"));
    transparencySlider_->setRange(0, kTransparencySteps);
    playSoundCheckBox_->setObjectName(QStringLiteral("playSoundCheckBox"));
    soundFileLabel_->setObjectName(QStringLiteral("soundFileLabel"));
    auto* browseButton = new QPushButton(QStringLiteral("Browse\u2026"), this);
    auto* resetButton = new QPushButton(QStringLiteral("Reset"), this);
    auto* soundRow = new QHBoxLayout;
    soundRow->addWidget(soundFileLabel_, 1);
    soundRow->addWidget(browseButton);
    soundRow->addWidget(resetButton);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Overlay colour:"), colorButton_);
    form->addRow(QStringLiteral("Transparency:"), transparencySlider_);
    form->addRow(QString(), playSoundCheckBox_);
    form->addRow(QStringLiteral("Sound:"), soundRow);
    form->addRow(QStringLiteral("Check posture shortcut:"), shortcutRecorder_);

    connect(colorButton_, &QPushButton::clicked, this, [this] { chooseNotificationColor(); });
    connect(transparencySlider_, &QSlider::valueChanged, this, [this](int value) {
        preferences_.setNotificationTransparency(double(value) / kTransparencySteps);
    });
    connect(playSoundCheckBox_, &QCheckBox::toggled, this,
            [this](bool on) { preferences_.setPlayNotificationSound(on); });
    connect(browseButton, &QPushButton::clicked, this, [this] { browseNotificationSound(); });
    connect(resetButton, &QPushButton::clicked, this, [this] { resetNotificationSound(); });
    shortcutRecorder_->setDelegate(this);

    bindings_.follow(PreferenceKey::notificationColor,
                     [this] { colorButton_->setIcon(swatch(qColor(preferences_.notificationColor()))); });
    bindings_.follow(PreferenceKey::notificationTransparency, [this] {
        const QSignalBlocker quiet(transparencySlider_);
        transparencySlider_->setValue(int(std::lround(preferences_.notificationTransparency() * kTransparencySteps)));
    });
    bindings_.follow(PreferenceKey::playNotificationSound, [this] {
        const QSignalBlocker quiet(playSoundCheckBox_);
        playSoundCheckBox_->setChecked(preferences_.playNotificationSound());
    });
    bindings_.follow(PreferenceKey::notificationSoundFilename, [this] {
        soundFileLabel_->setText(QString::fromStdString(preferences_.notificationSoundFilename()));
    });
}

void NotificationsViewController::viewDidAppear() {
    PreferencesViewController::viewDidAppear();
    shortcutRecorder_->setShortcut(preferences_.keyCombo());
}

QFileDialog& NotificationsViewController::browseNotificationSound() {
    if (!soundDialog_) {
        // A dialog of the tab's window, so that it opens above the floating preferences window.
        soundDialog_ = new QFileDialog(this, QStringLiteral("Choose an Alert Sound"));
        soundDialog_->setAttribute(Qt::WA_DeleteOnClose);
        soundDialog_->setFileMode(QFileDialog::ExistingFile);
        connect(soundDialog_, &QFileDialog::accepted, this,
                [this] { soundFileChosen(soundDialog_->selectedUrls().value(0)); });
    }
    soundDialog_->show();
    soundDialog_->raise();
    return *soundDialog_;
}

void NotificationsViewController::soundFileChosen(const QUrl& location) {
    if (location.isEmpty()) return;
    if (const auto bookmark = makeSoundBookmark(location))
        writeUserDefaults([&] { userDefaults_.setData(kNotificationSoundBookmarkKey, *bookmark); });
    else
        logLine("Could not create bookmark data");
    preferences_.setNotificationSoundFilename(location.fileName().toStdString());
}

void NotificationsViewController::resetNotificationSound() {
    preferences_.setNotificationSoundFilename(defaultSoundFilename());
    writeUserDefaults([&] { userDefaults_.removeValue(kNotificationSoundBookmarkKey); });
}

QColorDialog& NotificationsViewController::chooseNotificationColor() {
    auto* dialog = new QColorDialog(qColor(preferences_.notificationColor()), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& chosen) {
        const double alpha = preferences_.notificationColor().alpha;
        preferences_.setNotificationColor(Color{chosen.redF(), chosen.greenF(), chosen.blueF(), alpha});
    });
    dialog->show();
    return *dialog;
}

bool NotificationsViewController::shortcutRecorderShouldBeginRecording(ShortcutRecorder&) { return true; }

bool NotificationsViewController::shortcutRecorderCanRecordShortcut(ShortcutRecorder&, const KeyShortcut&) {
    return true;
}

void NotificationsViewController::shortcutRecorderDidClearShortcut(ShortcutRecorder&) {
    preferences_.setKeyCombo(std::nullopt);
}

void NotificationsViewController::shortcutRecorderDidChangeShortcut(ShortcutRecorder&, const KeyShortcut& shortcut) {
    preferences_.setKeyCombo(shortcut);
}

void NotificationsViewController::shortcutRecorderDidEndRecording(ShortcutRecorder&) {}

}  // namespace spinewise
