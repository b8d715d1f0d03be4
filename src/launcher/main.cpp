// spinewise-launcher: the login item. Started at login through the XDG
// autostart entry, it starts Spinewise unless it already runs, then quits.
#include "launcher/Launcher.hpp"

#include <syslog.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

int main() {
    // The system log, and standard error for whoever started the launcher by hand.
    ::openlog("spinewise-launcher", LOG_PID | LOG_PERROR, LOG_USER);
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        ::syslog(LOG_ERR, "Cannot find the launcher's own path: %s", error.message().c_str());
        return EXIT_FAILURE;
    }
    const bool launched = spinewise::runLauncher(self);
    ::closelog();
    return launched ? EXIT_SUCCESS : EXIT_FAILURE;
}
