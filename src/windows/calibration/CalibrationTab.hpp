#pragma once

#include <memory>

namespace spinewise {

class PreferencesViewController;
class Queue;

/// The preferences window's "Calibration" tab over the program's shared camera,
/// settings, presets and login item: the live preview in which the user sets
/// the eye level, the camera chooser, the start options and the presets.
/// `mainQueue` is the program's main queue, which lives as long as the
/// camera: a frame under way may still post to it after the tab is gone.
std::unique_ptr<PreferencesViewController> makeCalibrationTab(Queue& mainQueue);

}  // namespace spinewise
