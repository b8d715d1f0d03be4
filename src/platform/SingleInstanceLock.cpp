#include "platform/SingleInstanceLock.hpp"

#include "foundation/BundleIdentifier.hpp"
#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <utility>

namespace spinewise {
namespace {

std::string describeErrno(const std::filesystem::path& path, int error) {
    return path.string() + ": " + std::strerror(error);
}

bool isOwnedByUs(int descriptor) {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && status.st_uid == ::geteuid();
}

/// flock(), tried again when a signal interrupts it.
int flockUninterrupted(int descriptor, int operation) {
    int result = 0;
    do {
        result = ::flock(descriptor, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

}  // namespace

std::filesystem::path SingleInstanceLock::path() {
    const char* runtimeDirectory = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDirectory && runtimeDirectory[0] == '/') {
        return std::filesystem::path(runtimeDirectory) / (std::string(kBundleIdentifier) + ".lock");
    }
    return std::filesystem::path("/tmp") / (std::string(kBundleIdentifier) + "-" + std::to_string(::geteuid()) + ".lock");
}

std::optional<SingleInstanceLock> SingleInstanceLock::acquire() {
    const auto lockPath = path();
    const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) fatalError("Cannot open the instance lock " + describeErrno(lockPath, errno));
    SingleInstanceLock lock(descriptor);
    if (!isOwnedByUs(descriptor)) fatalError("The instance lock " + lockPath.string() + " belongs to another user");

    // isHeldByAnotherProcess() holds a shared lock for an instant: a few tries
    // tell that look from a running program.
    constexpr int kAttempts = 10;
    for (int attempt = 1;; ++attempt) {
        if (flockUninterrupted(descriptor, LOCK_EX | LOCK_NB) == 0) return lock;
        if (errno != EWOULDBLOCK) fatalError("Cannot take the instance lock " + describeErrno(lockPath, errno));
        if (attempt == kAttempts) return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool SingleInstanceLock::isHeldByAnotherProcess() {
    const auto lockPath = path();
    const int descriptor = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor < 0) {
        if (errno != ENOENT) logLine("Cannot read the instance lock " + describeErrno(lockPath, errno));
        return false;
    }
    const SingleInstanceLock closesDescriptor(descriptor);
    if (!isOwnedByUs(descriptor)) {
        logLine("The instance lock " + lockPath.string() + " belongs to another user");
        return false;
    }
    return flockUninterrupted(descriptor, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
}

SingleInstanceLock::SingleInstanceLock(SingleInstanceLock&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

SingleInstanceLock& SingleInstanceLock::operator=(SingleInstanceLock&& other) noexcept {
    if (this != &other) {
        if (descriptor_ >= 0) ::close(descriptor_);
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace spinewise
