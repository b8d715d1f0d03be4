#pragma once

#include <QRect>

#include <memory>

namespace spinewise {

class PreferencesWindowControl;

/// Told before the preferences window shows and after it has closed: the
/// monitoring pauses meanwhile, so that the calibration preview has the camera.
class PreferencesWindowControllerDelegate {
public:
    virtual ~PreferencesWindowControllerDelegate() = default;
    virtual void preferencesWindowControllerWillShowWindow(PreferencesWindowControl& controller) = 0;
    virtual void preferencesWindowControllerDidCloseWindow(PreferencesWindowControl& controller) = 0;
};

/// What the UI controller does with the preferences window. Main thread only.
class PreferencesWindowControl {
public:
    virtual ~PreferencesWindowControl() = default;

    virtual void setDelegate(std::weak_ptr<PreferencesWindowControllerDelegate> delegate) = 0;
    virtual bool isWindowVisible() const = 0;
    /// The window's frame in desktop coordinates (origin top left, Qt's).
    virtual QRect windowFrame() const = 0;
    virtual void setWindowFrame(const QRect& frame) = 0;
    /// Tells the delegate first, then shows the window, floating, with its top
    /// edge at the top of the main screen, centred horizontally.
    virtual void showWindow() = 0;
};

}  // namespace spinewise
