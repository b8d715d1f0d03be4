// The launcher program itself, copied into a temporary prefix beside a fake
// main program.
#include "platform/SingleInstanceLock.hpp"
#include "support/CommonTestSupport.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

extern char** environ;

namespace spinewise {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TemporaryDirectory;

struct Finished {
    int exitStatus = -1;
    std::string standardError;
};

/// Runs `program` without arguments and waits for it to end.
Finished run(const fs::path& program, const fs::path& standardErrorFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, standardErrorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::string path = program.string();
    char* const arguments[] = {path.data(), nullptr};
    pid_t child = 0;
    const int error = posix_spawn(&child, path.c_str(), &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) return {};
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(standardErrorFile)};
}

/// Polls for a file in real time: the started program runs on its own.
std::optional<std::string> eventuallyRead(const fs::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (fs::exists(path)) return readFile(path);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

/// A prefix holding the launcher at libexec/spinewise/spinewise-launcher and,
/// on request, a fake program at bin/spinewise that reports its arguments and
/// whether it leads a session of its own. The instance lock lives in the test's
/// own runtime folder.
class LauncherProcessTest : public ::testing::Test {
protected:
    LauncherProcessTest() {
        fs::create_directories(launcher.parent_path());
        fs::copy_file(SPINEWISE_LAUNCHER, launcher);
        fs::create_directories(program.parent_path());
        fs::create_directories(runtime);
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) oldRuntime_ = old;
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    ~LauncherProcessTest() override {
        if (oldRuntime_)
            setenv("XDG_RUNTIME_DIR", oldRuntime_->c_str(), 1);
        else
            unsetenv("XDG_RUNTIME_DIR");
    }

    void installFakeProgram() {
        // Written beside and renamed, so the test never reads half a report.
        std::ofstream(program) << "#!/bin/sh\n"
                                  "report=\"$0.report\"\n"
                                  "arguments=\"$#:$*\"\n"
                                  "set -- $(cat /proc/$$/stat)\n"
                                  "[ \"$6\" = \"$1\" ] && session=own || session=inherited\n"
                                  "echo \"$arguments $session\" > \"$report.part\"\n"
                                  "mv \"$report.part\" \"$report\"\n";
        fs::permissions(program, fs::perms::owner_all);
    }

    Finished runLauncher() { return run(launcher, home.path() / "stderr"); }

    TemporaryDirectory home;
    const fs::path launcher = home.path() / "prefix/libexec/spinewise/spinewise-launcher";
    const fs::path program = home.path() / "prefix/bin/spinewise";
    const fs::path report = home.path() / "prefix/bin/spinewise.report";
    const fs::path runtime = home.path() / "runtime";

private:
    std::optional<std::string> oldRuntime_;
};

TEST_F(LauncherProcessTest, StartsTheProgramInTheSamePrefixWithHelperInASessionOfItsOwn) {
    installFakeProgram();

    const auto finished = runLauncher();

    EXPECT_EQ(finished.exitStatus, 0);
    EXPECT_EQ(finished.standardError, "");
    EXPECT_EQ(eventuallyRead(report), "1:helper own\n");
}

TEST_F(LauncherProcessTest, StartsNothingWhileSpinewiseHoldsTheInstanceLock) {
    // No program to start: an attempt would fail and say so.
    const auto lock = SingleInstanceLock::acquire();
    ASSERT_TRUE(lock);

    const auto finished = runLauncher();

    EXPECT_EQ(finished.exitStatus, 0);
    EXPECT_EQ(finished.standardError, "");
}

TEST_F(LauncherProcessTest, LogsAProgramThatCannotStartAndFails) {
    const auto finished = runLauncher();

    EXPECT_EQ(finished.exitStatus, 1);
    EXPECT_NE(finished.standardError.find("Cannot launch " + program.string() + ": No such file or directory"),
              std::string::npos)
        << finished.standardError;
}

}  // namespace
}  // namespace spinewise
