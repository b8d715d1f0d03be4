#include "platform/ScreenSleepWatcher.hpp"

#include "foundation/Log.hpp"
#include "foundation/WorkspaceNotifications.hpp"

#include <QDBusError>

#include <array>
#include <string>
#include <string_view>

namespace spinewise {
namespace {

const QString kLogin1Source = QStringLiteral("org.freedesktop.login1");

/// Screen savers that announce ActiveChanged(bool), by service and interface name.
constexpr std::array kScreenSavers{"org.freedesktop.ScreenSaver", "org.gnome.ScreenSaver", "org.mate.ScreenSaver"};

/// Whether `bus` can be used; a line says why not.
bool isReachable(const QDBusConnection& bus, std::string_view busName) {
    if (bus.isConnected()) return true;
    logLine("Screen sleep and wake are not watched on the " + std::string(busName) +
            " bus: " + bus.lastError().message().toStdString());
    return false;
}

}  // namespace

ScreenSleepWatcher::ScreenSleepWatcher(NotificationCenter& workspace)
    : ScreenSleepWatcher(workspace, QDBusConnection::systemBus(), QDBusConnection::sessionBus()) {}

ScreenSleepWatcher::ScreenSleepWatcher(NotificationCenter& workspace, QDBusConnection systemBus,
                                       QDBusConnection sessionBus)
    : workspace_(workspace) {
    // Any object path: the screen savers differ in theirs.
    if (isReachable(systemBus, "system")) {
        systemBus.connect(kLogin1Source, QString(), QStringLiteral("org.freedesktop.login1.Manager"),
                          QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    }
    if (isReachable(sessionBus, "session")) {
        for (const char* screenSaver : kScreenSavers) {
            const QString name = QString::fromLatin1(screenSaver);
            sessionBus.connect(name, QString(), name, QStringLiteral("ActiveChanged"), this,
                               SLOT(screenSaverActiveChanged(bool, QDBusMessage)));
        }
    }
}

void ScreenSleepWatcher::prepareForSleep(bool sleeping) { setAsleep(kLogin1Source, sleeping); }

void ScreenSleepWatcher::screenSaverActiveChanged(bool active, const QDBusMessage& signal) {
    setAsleep(signal.interface(), active);
}

void ScreenSleepWatcher::setAsleep(const QString& source, bool asleep) {
    const bool wasAsleep = !asleepSources_.empty();
    if (asleep) {
        asleepSources_.insert(source);
    } else {
        asleepSources_.erase(source);
    }
    const bool isAsleep = !asleepSources_.empty();
    if (isAsleep == wasAsleep) return;
    workspace_.post(isAsleep ? WorkspaceNotifications::screensDidSleep : WorkspaceNotifications::screensDidWake);
}

}  // namespace spinewise
