#pragma once

#include "windows/PreferenceBindings.hpp"
#include "windows/PreferencesViewController.hpp"

class QCheckBox;
class QDoubleSpinBox;
class QSlider;

namespace spinewise {

class Preferences;

/// The "Monitoring" tab: the mode and interval (a slider from Live through 1
/// to 5 minutes to Manual), how long each posture must last before it counts,
/// and whether the tray icon shows. Its controls follow the settings and write them.
class MonitoringViewController final : public PreferencesViewController {
public:
    explicit MonitoringViewController(Preferences& preferences, QWidget* parent = nullptr);

private:
    QDoubleSpinBox* addSecondsRow(const QString& label, double (Preferences::*read)() const,
                                  void (Preferences::*write)(double), std::string_view keyPath);

    Preferences& preferences_;
    QSlider* intervalSlider_;
    QCheckBox* showStatusItemCheckBox_;
    PreferenceBindings bindings_;
};

}  // namespace spinewise
