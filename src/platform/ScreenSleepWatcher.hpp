#pragma once

#include "foundation/NotificationCenter.hpp"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

#include <set>

namespace spinewise {

/// Posts "screensDidSleep" and "screensDidWake" on the workspace centre, on
/// the main thread, from the desktop's D-Bus signals: the system going to
/// sleep and waking (login1's PrepareForSleep on the system bus) and the
/// screen saver turning on and off (ActiveChanged of the freedesktop, GNOME
/// and MATE screen savers on the session bus). The screens count as asleep
/// while any of these says so; only a change of that is posted, so a system
/// waking to a locked screen stays asleep until the screen saver ends.
/// A bus that cannot be reached is reported in one diagnostic line.
class ScreenSleepWatcher final : public QObject {
    Q_OBJECT

public:
    /// The desktop's own buses.
    explicit ScreenSleepWatcher(NotificationCenter& workspace);
    ScreenSleepWatcher(NotificationCenter& workspace, QDBusConnection systemBus, QDBusConnection sessionBus);

private slots:
    void prepareForSleep(bool sleeping);
    void screenSaverActiveChanged(bool active, const QDBusMessage& signal);

private:
    void setAsleep(const QString& source, bool asleep);

    NotificationCenter& workspace_;
    std::set<QString> asleepSources_;
};

}  // namespace spinewise
