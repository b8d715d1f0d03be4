#include "platform/SingleInstanceLock.hpp"

#include "support/CommonTestSupport.hpp"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

extern char** environ;

namespace spinewise {
namespace {

using ::testing::HasSubstr;

/// The lock-holding helper program, with its standard input and output on pipes.
class LockHolder {
public:
    LockHolder() {
        int input[2];
        int output[2];
        if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        char* arguments[] = {const_cast<char*>(INSTANCE_LOCK_HOLDER), nullptr};
        const int failed = ::posix_spawn(&pid_, INSTANCE_LOCK_HOLDER, &actions, nullptr, arguments, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(input[0]);
        ::close(output[1]);
        toChild_ = input[1];
        fromChild_ = output[0];
        if (failed) throw std::runtime_error("cannot start the lock holder");
    }
    ~LockHolder() {
        if (pid_ > 0) kill();
        ::close(toChild_);
        ::close(fromChild_);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    /// The helper's one line: "held" or "busy".
    std::string answer() {
        std::string line;
        char byte = 0;
        while (::read(fromChild_, &byte, 1) == 1 && byte != '\n') line += byte;
        return line;
    }

    /// Waits until the helper pauses between two tries for the lock.
    bool waitUntilPausing() const {
        const auto syscallFile = "/proc/" + std::to_string(pid_) + "/syscall";
        for (int poll = 0; poll < 5000; ++poll) {
            std::ifstream current(syscallFile);
            long number = -1;
            if (current >> number && (number == SYS_clock_nanosleep || number == SYS_nanosleep)) return true;
            ::usleep(1000);
        }
        return false;
    }

    /// Ends the helper the hard way: no destructor of its runs.
    void kill() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    int fromChild_ = -1;
};

/// Points XDG_RUNTIME_DIR at a fresh folder, for this process and its children.
class SingleInstanceLockTest : public ::testing::Test {
protected:
    SingleInstanceLockTest() {
        if (const char* previous = std::getenv("XDG_RUNTIME_DIR")) previous_ = previous;
        ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
    }
    ~SingleInstanceLockTest() override {
        if (previous_) {
            ::setenv("XDG_RUNTIME_DIR", previous_->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
    }

    testing::TemporaryDirectory runtime;

private:
    std::optional<std::string> previous_;
};

TEST_F(SingleInstanceLockTest, AnotherProcessHoldingTheLockKeepsUsOutUntilItDies) {
    EXPECT_FALSE(SingleInstanceLock::isHeldByAnotherProcess());
    LockHolder holder;
    ASSERT_EQ(holder.answer(), "held");

    EXPECT_TRUE(SingleInstanceLock::isHeldByAnotherProcess());
    EXPECT_FALSE(SingleInstanceLock::acquire());

    holder.kill();
    EXPECT_FALSE(SingleInstanceLock::isHeldByAnotherProcess());
    EXPECT_TRUE(SingleInstanceLock::acquire());
}

TEST_F(SingleInstanceLockTest, TheLockIsHeldWhileTheObjectLivesAndItsMovesToo) {
    std::optional<SingleInstanceLock> lock = SingleInstanceLock::acquire();
    ASSERT_TRUE(lock);
    {
        LockHolder second;
        EXPECT_EQ(second.answer(), "busy");
    }
    const SingleInstanceLock moved = std::move(*lock);
    lock.reset();
    {
        LockHolder third;
        EXPECT_EQ(third.answer(), "busy");
    }
}

TEST_F(SingleInstanceLockTest, AQuickLookDoesNotTurnAStartingProgramAway) {
    // The launcher's look and the program's start may meet: the program tries
    // again while the look holds the lock.
    const auto lockPath = SingleInstanceLock::path();
    { const auto created = SingleInstanceLock::acquire(); }
    const int look = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(look, 0);
    ASSERT_EQ(::flock(look, LOCK_SH | LOCK_NB), 0);
    LockHolder holder;
    ASSERT_TRUE(holder.waitUntilPausing());
    ::close(look);
    EXPECT_EQ(holder.answer(), "held");
}

TEST_F(SingleInstanceLockTest, LivesInTheRuntimeFolderReadableByTheUserAlone) {
    EXPECT_EQ(SingleInstanceLock::path(), runtime.path() / "com.brightfold.spinewise.lock");
    const auto lock = SingleInstanceLock::acquire();
    struct stat status {};
    ASSERT_EQ(::stat(SingleInstanceLock::path().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600U);
}

TEST(SingleInstanceLockPath, WithoutARuntimeFolderIsPerUserInTmp) {
    const std::string expected = "/tmp/com.brightfold.spinewise-" + std::to_string(::geteuid()) + ".lock";
    const char* previous = std::getenv("XDG_RUNTIME_DIR");
    const std::optional<std::string> saved = previous ? std::optional<std::string>(previous) : std::nullopt;
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/run"}) {
        if (value) {
            ::setenv("XDG_RUNTIME_DIR", value, 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
        EXPECT_EQ(SingleInstanceLock::path(), expected) << (value ? value : "(unset)");
    }
    if (saved) ::setenv("XDG_RUNTIME_DIR", saved->c_str(), 1);
}

using SingleInstanceLockDeathTest = SingleInstanceLockTest;

TEST_F(SingleInstanceLockDeathTest, ALockFileThatIsNotOursStopsTheProgramAndIsNoInstance) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file away needs root";
    const auto lockPath = SingleInstanceLock::path();
    { const auto created = SingleInstanceLock::acquire(); }
    ASSERT_EQ(::chown(lockPath.c_str(), 65534, 65534), 0);
    EXPECT_DEATH(SingleInstanceLock::acquire(), "Fatal error: The instance lock .* belongs to another user");

    testing::LogRecorder log;
    EXPECT_FALSE(SingleInstanceLock::isHeldByAnotherProcess());
    EXPECT_THAT(log.lines(), ::testing::ElementsAre(HasSubstr("belongs to another user")));
}

TEST_F(SingleInstanceLockDeathTest, ASymbolicLinkInPlaceOfTheLockFileStopsTheProgram) {
    const auto target = runtime.path() / "elsewhere";
    std::filesystem::create_symlink(target, SingleInstanceLock::path());
    EXPECT_DEATH(SingleInstanceLock::acquire(), "Fatal error: Cannot open the instance lock");
    EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace spinewise
