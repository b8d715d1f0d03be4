#include "platform/TerminationRequests.hpp"

#include "foundation/Fatal.hpp"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace spinewise {
namespace {

/// The self-pipe: the handler writes a byte, the event loop reads it.
int gPipe[2] = {-1, -1};
std::array<struct sigaction, TerminationRequests::kSignals.size()> gPreviousActions{};

extern "C" void onTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a request: dropping this byte loses nothing.
    [[maybe_unused]] const auto written = ::write(gPipe[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationRequests::TerminationRequests(QObject* parent) : QObject(parent) {
    if (gPipe[0] >= 0) fatalError("Termination requests are handled by one object at a time");
    if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        fatalError(std::string("Cannot create the termination pipe: ") + std::strerror(errno));
    }
    notifier_ = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationRequests::readSignalBytes);

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t index = 0; index < kSignals.size(); ++index) {
        ::sigaction(kSignals[index], &action, &gPreviousActions[index]);
    }

    // QCoreApplication::quit() does nothing until the main event loop runs.
    retry_.setInterval(100);
    connect(&retry_, &QTimer::timeout, this, &TerminationRequests::endEventLoop);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &retry_, &QTimer::stop);

    // The session manager asks for the data to be committed before logout;
    // the quit follows once that call has returned.
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this, &TerminationRequests::endEventLoop,
                Qt::QueuedConnection);
    }
}

TerminationRequests::~TerminationRequests() {
    for (std::size_t index = 0; index < kSignals.size(); ++index) {
        ::sigaction(kSignals[index], &gPreviousActions[index], nullptr);
    }
    delete notifier_;
    ::close(gPipe[0]);
    ::close(gPipe[1]);
    gPipe[0] = gPipe[1] = -1;
}

void TerminationRequests::readSignalBytes() {
    char buffer[64];
    while (::read(gPipe[0], buffer, sizeof buffer) > 0) {
    }
    endEventLoop();
}

void TerminationRequests::endEventLoop() {
    // Before the main loop runs, a modal window would keep the start-up from
    // reaching it; in the main loop, quit() closes the windows itself.
    // The retry starts first: the main loop's end stops it.
    retry_.start();
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::closeAllWindows();
    QCoreApplication::quit();
}

}  // namespace spinewise
