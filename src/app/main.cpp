// The tray program. A second start for the same user ends at once, quietly;
// the launcher's argument "helper" changes nothing.
#include "app/TrayProgram.hpp"
#include "platform/SingleInstanceLock.hpp"

#include <QApplication>

#include <opencv2/core/utility.hpp>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const auto instanceLock = spinewise::SingleInstanceLock::acquire();
    if (!instanceLock) return 0;

    QApplication application(argc, argv);
    QApplication::setApplicationName("Spinewise");
    QApplication::setOrganizationDomain("brightfold.com");
    QApplication::setDesktopFileName("com.brightfold.spinewise");
    QApplication::setQuitOnLastWindowClosed(false);
    // One detection at a time on one core keeps the program light.
    cv::setNumThreads(1);

    spinewise::TrayProgram program;
    program.start();
    const int status = QApplication::exec();
    // The settings were saved as the event loop ended. The camera's threads
    // may still be finishing a frame: end the process here rather than tear
    // down, under them, the objects and libraries they use.
    std::fflush(nullptr);
    std::_Exit(status);
}
