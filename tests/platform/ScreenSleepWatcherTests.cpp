#include "platform/ScreenSleepWatcher.hpp"

#include "foundation/WorkspaceNotifications.hpp"
#include "support/CommonTestSupport.hpp"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace spinewise {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int kPatienceMs = 5000;

/// A private message bus of the test's own, with one connection for the
/// watcher and one per sender of signals.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start("dbus-daemon", {"--session", "--print-address", "--nofork"});
        if (!daemon_.waitForStarted(kPatienceMs) || !daemon_.waitForReadyRead(kPatienceMs)) {
            throw std::runtime_error("dbus-daemon did not start");
        }
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        for (const auto& name : names_) QDBusConnection::disconnectFromBus(name);
        daemon_.kill();
        daemon_.waitForFinished(kPatienceMs);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    /// A new connection that owns the well-known names `services`.
    QDBusConnection connect(const QStringList& services = {}) {
        const QString name = QStringLiteral("connection-%1").arg(names_.size());
        names_.push_back(name);
        QDBusConnection connection = QDBusConnection::connectToBus(address_, name);
        if (!connection.isConnected()) throw std::runtime_error("cannot connect to the private bus");
        for (const QString& service : services) {
            if (!connection.registerService(service)) throw std::runtime_error("cannot own " + service.toStdString());
        }
        return connection;
    }

private:
    QProcess daemon_;
    QString address_;
    std::vector<QString> names_;
};

/// A connection that announces one kind of signal.
class SignalSender {
public:
    SignalSender(QDBusConnection connection, QString path, QString interface, QString name)
        : connection_(std::move(connection)), path_(std::move(path)), interface_(std::move(interface)),
          name_(std::move(name)) {}

    void send(bool value) {
        QDBusMessage signal = QDBusMessage::createSignal(path_, interface_, name_);
        signal << value;
        if (!connection_.send(signal)) throw std::runtime_error("cannot send the signal");
    }

    /// Returns once the bus has routed everything sent so far: the reply to a
    /// call comes after the messages sent before it.
    void flush() {
        if (!connection_.interface()->registeredServiceNames().isValid()) throw std::runtime_error("bus call failed");
    }

private:
    QDBusConnection connection_;
    QString path_, interface_, name_;
};

class ScreenSleepWatcherTest : public ::testing::Test {
protected:
    ScreenSleepWatcherTest() {
        for (const auto name : {WorkspaceNotifications::screensDidSleep, WorkspaceNotifications::screensDidWake}) {
            tokens_.push_back(workspace_.addObserver(std::string(name), [this, name] {
                notices.emplace_back(name);
                if (QThread::currentThread() != qApp->thread()) ++offMainThread;
            }));
        }
    }

    /// Senders of the desktop's signals, on one connection that owns all
    /// their names, so that the bus keeps their order.
    struct DesktopSenders {
        SignalSender login1, freedesktop, gnome, mate;
    };
    DesktopSenders desktopSenders() {
        const QDBusConnection desktop = bus_.connect({"org.freedesktop.login1", "org.freedesktop.ScreenSaver",
                                                      "org.gnome.ScreenSaver", "org.mate.ScreenSaver"});
        return {
            {desktop, "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep"},
            {desktop, "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver", "ActiveChanged"},
            {desktop, "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver", "ActiveChanged"},
            {desktop, "/org/mate/ScreenSaver", "org.mate.ScreenSaver", "ActiveChanged"},
        };
    }
    QDBusConnection anonymousConnection() { return bus_.connect(); }

    /// Starts the watcher and waits until the bus has its subscriptions: a
    /// call's reply comes after every message sent before it.
    void startWatching() {
        QDBusConnection connection = bus_.connect();
        watcher_ = std::make_unique<ScreenSleepWatcher>(workspace_, connection, connection);
        if (!connection.interface()->registeredServiceNames().isValid()) throw std::runtime_error("bus call failed");
    }

    /// Waits until `count` notices have arrived; the order of delivery on the
    /// bus makes a notice that should not come show up before a later one.
    bool waitForNotices(std::size_t count) {
        return QTest::qWaitFor([&] { return notices.size() >= count; }, kPatienceMs);
    }

    std::vector<std::string> notices;
    int offMainThread = 0;

private:
    PrivateBus bus_;
    NotificationCenter workspace_;
    std::vector<ObservationToken> tokens_;
    std::unique_ptr<ScreenSleepWatcher> watcher_;
};

TEST_F(ScreenSleepWatcherTest, SystemSleepAndWakeBecomeScreenNoticesOnTheMainThread) {
    DesktopSenders desktop = desktopSenders();
    startWatching();

    desktop.login1.send(true);
    ASSERT_TRUE(waitForNotices(1));
    desktop.login1.send(false);
    ASSERT_TRUE(waitForNotices(2));

    EXPECT_THAT(notices, ElementsAre("screensDidSleep", "screensDidWake"));
    EXPECT_EQ(offMainThread, 0);
}

TEST_F(ScreenSleepWatcherTest, ScreensStayAsleepWhileAnySourceSaysSo) {
    DesktopSenders desktop = desktopSenders();
    startWatching();

    // The screen saver starts, the system sleeps and wakes to the locked
    // screen, which the user then unlocks.
    desktop.gnome.send(true);
    desktop.freedesktop.send(true);
    desktop.login1.send(true);
    desktop.login1.send(false);
    desktop.freedesktop.send(false);
    desktop.gnome.send(false);
    ASSERT_TRUE(waitForNotices(2));
    // A repeated "inactive" changes nothing; MATE's saver counts like the others.
    desktop.gnome.send(false);
    desktop.mate.send(true);
    ASSERT_TRUE(waitForNotices(3));

    EXPECT_THAT(notices, ElementsAre("screensDidSleep", "screensDidWake", "screensDidSleep"));
}

TEST_F(ScreenSleepWatcherTest, IgnoresSignalsFromWhoeverDoesNotOwnTheName) {
    DesktopSenders desktop = desktopSenders();
    SignalSender impostor(anonymousConnection(), "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                          "PrepareForSleep");
    startWatching();

    impostor.send(true);
    impostor.flush();
    // Were the impostor believed, the screens would already be asleep and
    // would stay asleep after the screen saver's end.
    desktop.freedesktop.send(true);
    ASSERT_TRUE(waitForNotices(1));
    desktop.freedesktop.send(false);
    ASSERT_TRUE(waitForNotices(2));

    EXPECT_THAT(notices, ElementsAre("screensDidSleep", "screensDidWake"));
}

TEST(ScreenSleepWatcher, AMissingBusIsOneLineEachAndNoFailure) {
    testing::LogRecorder log;
    const QDBusConnection missing =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/spinewise-bus"), "missing");
    ASSERT_FALSE(missing.isConnected());
    NotificationCenter workspace;
    {
        const ScreenSleepWatcher watcher(workspace, missing, missing);
    }
    QDBusConnection::disconnectFromBus("missing");

    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_THAT(lines[0], HasSubstr("Screen sleep and wake are not watched on the system bus"));
    EXPECT_THAT(lines[1], HasSubstr("Screen sleep and wake are not watched on the session bus"));
}

}  // namespace
}  // namespace spinewise
