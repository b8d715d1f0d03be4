#pragma once

#include <QObject>
#include <QTimer>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace spinewise {

/// Turns the outside world's requests to end the program into a normal end of
/// the event loop (QCoreApplication::quit()), so that the program's normal
/// termination path runs and saves what it must: SIGTERM, SIGINT and SIGHUP
/// (the session's end sends the last two to its processes), and the desktop
/// session manager's request to commit data before logout.
/// A request that comes before the main event loop runs (during a modal
/// alert of the start-up, say) closes the open windows and ends the main loop
/// as soon as it runs.
/// One at a time, created on the main thread once the application object
/// exists; destroying it restores the signals' previous handling.
class TerminationRequests final : public QObject {
    Q_OBJECT

public:
    explicit TerminationRequests(QObject* parent = nullptr);
    ~TerminationRequests() override;
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

    /// The signals handled.
    static constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

private:
    void readSignalBytes();
    void endEventLoop();

    QSocketNotifier* notifier_ = nullptr;
    /// Repeats the request until the main event loop takes it.
    QTimer retry_;
};

}  // namespace spinewise
