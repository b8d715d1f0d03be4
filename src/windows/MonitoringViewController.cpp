#include "windows/MonitoringViewController.hpp"

#include "settings/Preferences.hpp"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

namespace spinewise {
namespace {

// The slider's positions are the "scheduleInterval" values: 0 live, 1 to 5 minutes, 6 manual.
constexpr int kLivePosition = 0;
constexpr int kManualPosition = 6;
constexpr double kLongestPostureTime = 3600;

/// The slider with its marks' names under it.
QWidget* labelledIntervalSlider(QSlider* slider, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList names{QStringLiteral("Live"), QStringLiteral("1"),         QStringLiteral("2"),
                            QStringLiteral("3"),    QStringLiteral("4"),         QStringLiteral("5 minutes"),
                            QStringLiteral("Manual")};
    grid->addWidget(slider, 0, 0, 1, int(names.size()));
    for (int position = 0; position < names.size(); ++position) {
        auto* name = new QLabel(names[position], box);
        const Qt::Alignment side = position == kLivePosition    ? Qt::AlignLeft
                                   : position == kManualPosition ? Qt::AlignRight
                                                                 : Qt::AlignHCenter;
        name->setAlignment(side);
        grid->addWidget(name, 1, position);
    }
    return box;
}

}  // namespace

MonitoringViewController::MonitoringViewController(Preferences& preferences, QWidget* parent)
    : PreferencesViewController(QStringLiteral("Monitoring"), parent),
      preferences_(preferences),
      intervalSlider_(new QSlider(Qt::Horizontal, this)),
      showStatusItemCheckBox_(new QCheckBox(QStringLiteral("Show icon in the system tray"), this)),
      bindings_(preferences) {
    intervalSlider_->setObjectName(QStringLiteral("intervalSlider"));
    intervalSlider_->setRange(kLivePosition, kManualPosition);
    intervalSlider_->setPageStep(1);
    intervalSlider_->setTickPosition(QSlider::TicksBelow);
    intervalSlider_->setTickInterval(1);
    showStatusItemCheckBox_->setObjectName(QStringLiteral("showStatusItemCheckBox"));

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Check posture:"), labelledIntervalSlider(intervalSlider_, this));
    addSecondsRow(QStringLiteral("Correct posture after:"), &Preferences::correctPostureTime,
                  &Preferences::setCorrectPostureTime, PreferenceKey::correctPostureTime)
        ->setObjectName(QStringLiteral("correctPostureTime"));
    addSecondsRow(QStringLiteral("Poor posture after:"), &Preferences::poorPostureTime,
                  &Preferences::setPoorPostureTime, PreferenceKey::poorPostureTime)
        ->setObjectName(QStringLiteral("poorPostureTime"));
    addSecondsRow(QStringLiteral("No face after:"), &Preferences::unknownPostureTime,
                  &Preferences::setUnknownPostureTime, PreferenceKey::unknownPostureTime)
        ->setObjectName(QStringLiteral("unknownPostureTime"));
    form->addRow(QString(), showStatusItemCheckBox_);

    connect(intervalSlider_, &QSlider::valueChanged, this,
            [this](int position) { preferences_.setScheduleInterval(position); });
    connect(showStatusItemCheckBox_, &QCheckBox::toggled, this,
            [this](bool on) { preferences_.setShowStatusBarItem(on); });
    bindings_.follow(PreferenceKey::scheduleInterval, [this] {
        const QSignalBlocker quiet(intervalSlider_);
        intervalSlider_->setValue(int(std::lround(preferences_.scheduleInterval())));
    });
    bindings_.follow(PreferenceKey::showStatusBarItem, [this] {
        const QSignalBlocker quiet(showStatusItemCheckBox_);
        showStatusItemCheckBox_->setChecked(preferences_.showStatusBarItem());
    });
}

QDoubleSpinBox* MonitoringViewController::addSecondsRow(const QString& label, double (Preferences::*read)() const,
                                                        void (Preferences::*write)(double), std::string_view keyPath) {
    auto* seconds = new QDoubleSpinBox(this);
    seconds->setRange(0, kLongestPostureTime);
    seconds->setDecimals(1);
    seconds->setSingleStep(0.5);
    seconds->setSuffix(QStringLiteral(" s"));
    seconds->setKeyboardTracking(false);
    static_cast<QFormLayout*>(layout())->addRow(label, seconds);
    connect(seconds, &QDoubleSpinBox::valueChanged, this, [this, write](double value) { (preferences_.*write)(value); });
    bindings_.follow(keyPath, [this, seconds, read] {
        const QSignalBlocker quiet(seconds);
        seconds->setValue((preferences_.*read)());
    });
    return seconds;
}

}  // namespace spinewise
