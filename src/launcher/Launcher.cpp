#include "launcher/Launcher.hpp"

#include "launcher/MainProgramPath.hpp"
#include "platform/SingleInstanceLock.hpp"

#include <signal.h>
#include <spawn.h>
#include <syslog.h>

#include <cstring>
#include <optional>
#include <string>

extern char** environ;

namespace spinewise {
namespace {

constexpr const char* kLaunchArgument = "helper";

void logError(const std::string& message) { ::syslog(LOG_ERR, "%s", message.c_str()); }

/// Starts `program` with kLaunchArgument in a new session, with the default
/// signal dispositions and an empty signal mask; the error text on failure.
std::optional<std::string> spawnDetached(const std::filesystem::path& program) {
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t allSignals;
    sigfillset(&allSignals);
    posix_spawnattr_setsigmask(&attributes, &noSignals);
    posix_spawnattr_setsigdefault(&attributes, &allSignals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::string path = program.string();
    std::string argument = kLaunchArgument;
    char* const arguments[] = {path.data(), argument.data(), nullptr};
    pid_t child = 0;
    const int error = ::posix_spawn(&child, path.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return std::strerror(error);
    return std::nullopt;
}

}  // namespace

bool runLauncher(const std::filesystem::path& launcher) {
    if (SingleInstanceLock::isHeldByAnotherProcess()) return true;

    const auto program = mainProgramPath(launcher);
    if (!program) {
        logError("Cannot find Spinewise from the launcher at " + launcher.string());
        return false;
    }
    if (const auto error = spawnDetached(*program)) {
        logError("Cannot launch " + program->string() + ": " + *error);
        return false;
    }
    return true;
}

}  // namespace spinewise
