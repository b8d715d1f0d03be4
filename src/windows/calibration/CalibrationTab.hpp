#pragma once

#include <memory>

namespace spinewise {

class PreferencesViewController;

/// The preferences window's "Calibration" tab over the program's shared camera,
/// settings, presets and login item: the live preview in which the user sets
/// the eye level, the camera chooser, the start options and the presets.
std::unique_ptr<PreferencesViewController> makeCalibrationTab();

}  // namespace spinewise
