// An event loop with termination requests installed. It says "ready" once
// they are, and "normal end" after its event loop has ended normally.
// With the argument "alert" it says "ready" while a modal alert is open in
// the event loop; with "alert-before-exec", in an alert before the loop starts.
#include "platform/TerminationRequests.hpp"
#include "platform/WarningAlert.hpp"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

void say(const char* line) {
    std::puts(line);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const spinewise::TerminationRequests requests;
    QObject::connect(&application, &QCoreApplication::aboutToQuit, [] { say("about to quit"); });

    if (argc > 1 && std::strcmp(argv[1], "alert") == 0) {
        QTimer::singleShot(0, [] {
            QTimer::singleShot(0, [] { say("ready"); });
            spinewise::runWarningAlert("Alert open at the end");
            say("alert closed");
        });
    } else if (argc > 1 && std::strcmp(argv[1], "alert-before-exec") == 0) {
        QTimer::singleShot(0, [] { say("ready"); });
        spinewise::runWarningAlert("Alert open before the event loop");
        say("alert closed");
    } else {
        say("ready");
    }
    const int result = QApplication::exec();
    say("normal end");
    return result;
}
