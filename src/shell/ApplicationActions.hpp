#pragma once

namespace spinewise {

/// The application-wide actions the status menu and the global shortcut ask for.
/// The application delegate answers them. Main thread only.
class ApplicationActions {
public:
    virtual ~ApplicationActions() = default;

    /// Starts the current mode afresh unless the camera already runs (in manual
    /// mode: the check on request).
    virtual void checkPosture() = 0;
    virtual void showHistoryWindow() = 0;
    virtual void showAbout() = 0;
    /// Ends the program normally (the settings are saved).
    virtual void terminate() = 0;
};

}  // namespace spinewise
