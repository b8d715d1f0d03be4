#include "platform/TerminationRequests.hpp"

#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace spinewise {
namespace {

constexpr int kPatienceMs = 10000;

/// The child's whole output once it has ended, after `signal` reached it
/// when it said "ready".
struct ChildEnd {
    QProcess::ExitStatus status;
    int exitCode;
    QString output;
};

ChildEnd signalChild(int signal, const QStringList& arguments = {}) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(TERMINATION_REQUEST_CHILD, arguments);
    QString output;
    while (!output.contains("ready\n") && child.waitForReadyRead(kPatienceMs)) {
        output += QString::fromUtf8(child.readAllStandardOutput());
    }
    if (!output.contains("ready\n")) return {QProcess::CrashExit, -1, output};
    ::kill(static_cast<pid_t>(child.processId()), signal);
    if (!child.waitForFinished(kPatienceMs)) child.kill();
    output += QString::fromUtf8(child.readAllStandardOutput());
    return {child.exitStatus(), child.exitCode(), output};
}

class TerminationSignal : public ::testing::TestWithParam<int> {};

TEST_P(TerminationSignal, EndsTheEventLoopThroughTheNormalPath) {
    const ChildEnd end = signalChild(GetParam());
    EXPECT_EQ(end.status, QProcess::NormalExit);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(end.output, "ready\nabout to quit\nnormal end\n");
}

INSTANTIATE_TEST_SUITE_P(EachSignal, TerminationSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& signal) { return std::string(sigabbrev_np(signal.param)); });

TEST(TerminationRequests, EndTheProgramNormallyWhileAModalAlertIsOpen) {
    const ChildEnd end = signalChild(SIGTERM, {"alert"});
    EXPECT_EQ(end.status, QProcess::NormalExit);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_TRUE(end.output.endsWith("about to quit\nnormal end\n")) << end.output.toStdString();
}

TEST(TerminationRequests, ArriveEvenBeforeTheMainEventLoopRuns) {
    // A modal alert of the start-up runs its own loop; the main one comes after.
    const ChildEnd end = signalChild(SIGTERM, {"alert-before-exec"});
    EXPECT_EQ(end.status, QProcess::NormalExit);
    EXPECT_EQ(end.exitCode, 0);
    EXPECT_EQ(end.output, "ready\nalert closed\nabout to quit\nnormal end\n");
}

TEST(TerminationRequests, GivesTheSignalsBackToTheirPreviousHandlingWhenGone) {
    for (const int signal : TerminationRequests::kSignals) ASSERT_NE(std::signal(signal, SIG_IGN), SIG_ERR);
    {
        const TerminationRequests requests;
        struct sigaction installed {};
        ::sigaction(SIGTERM, nullptr, &installed);
        EXPECT_NE(installed.sa_handler, SIG_IGN);
    }
    for (const int signal : TerminationRequests::kSignals) {
        struct sigaction restored {};
        ::sigaction(signal, nullptr, &restored);
        EXPECT_EQ(restored.sa_handler, SIG_IGN) << sigabbrev_np(signal);
        std::signal(signal, SIG_DFL);
    }
}

TEST(TerminationRequestsDeathTest, AreHandledByOneObjectAtATime) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            const TerminationRequests first;
            const TerminationRequests second;
        },
        "one object at a time");
}

}  // namespace
}  // namespace spinewise
