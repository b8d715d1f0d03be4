#pragma once

#include <filesystem>
#include <optional>

namespace spinewise {

/// One running program per user: an exclusive flock() on a file in the user's
/// runtime folder ("$XDG_RUNTIME_DIR/com.brightfold.spinewise.lock", or
/// "/tmp/com.brightfold.spinewise-<uid>.lock" without one), held while the
/// lock object lives. The kernel drops it when the process ends, however it ends.
class SingleInstanceLock {
public:
    /// Takes the lock, or nothing when another process holds it. A lock file
    /// that cannot be opened, or that belongs to another user, stops the program.
    static std::optional<SingleInstanceLock> acquire();

    /// Whether another process holds the lock; takes no lock of its own beyond
    /// an instant's look.
    static bool isHeldByAnotherProcess();

    /// The lock file for the current environment.
    static std::filesystem::path path();

    SingleInstanceLock(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock& operator=(SingleInstanceLock&& other) noexcept;
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
    ~SingleInstanceLock();

private:
    explicit SingleInstanceLock(int descriptor) : descriptor_(descriptor) {}

    int descriptor_ = -1;
};

}  // namespace spinewise
