// spinewise-probe --monitor: its options, and the program itself run on
// replayed clips with a saved settings file in a home folder of its own.
#include "ProbeOptions.hpp"

#include "foundation/Clock.hpp"

#include <nlohmann/json.hpp>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace spinewise {
namespace {

using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(ProbeMonitorOptions, ModeDeviceAndDuration) {
    const std::vector<std::string> arguments{"--monitor", "scheduled", "--device", "replay:/clips/desk",
                                             "--duration", "2.5",       "--target", "1920x1080"};
    const auto options = parseProbeArguments(arguments);
    EXPECT_EQ(options.monitor, MonitorMode::scheduled);
    EXPECT_EQ(options.deviceUID, "replay:/clips/desk");
    EXPECT_EQ(options.duration, 2.5);
    EXPECT_EQ(options.target, (Size{1920, 1080}));

    const std::vector<std::string> plain{"--monitor", "live"};
    const auto untilSignal = parseProbeArguments(plain);
    EXPECT_EQ(untilSignal.monitor, MonitorMode::live);
    EXPECT_FALSE(untilSignal.deviceUID);
    EXPECT_FALSE(untilSignal.duration);
}

TEST(ProbeMonitorOptions, RejectsWhatDoesNotGoTogether) {
    const std::vector<std::vector<std::string>> invalid{
        {"--monitor", "sometimes"},
        {"--monitor", "live", "a.png"},
        {"--monitor", "live", "--camera", "0"},
        {"--monitor", "live", "--frames", "3"},
        {"--monitor", "live", "--duration", "0"},
        {"--monitor", "live", "--duration", "-1"},
        {"--monitor", "live", "--duration", "inf"},
        {"--device", "replay:/clips/desk", "a.png"},
        {"--duration", "3", "a.png"},
    };
    for (const auto& arguments : invalid) {
        std::string line;
        for (const auto& argument : arguments) line += argument + " ";
        SCOPED_TRACE(line);
        EXPECT_THROW(parseProbeArguments(arguments), ProbeUsageError);
    }
}

struct Finished {
    int exitStatus = -1;
    Lines out;
    std::string err;
};

Lines linesOf(const fs::path& file) {
    std::ifstream in(file);
    Lines lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// The probe with a home folder of its own (settings, clips, output files).
class ProbeMonitorTest : public ::testing::Test {
protected:
    ProbeMonitorTest() {
        fs::create_directories(faceClip);
        fs::create_directories(emptyClip);
        cv::Mat photo = cv::imread(std::string(SPINEWISE_TESTDATA_DIR) + "/astronaut.png", cv::IMREAD_COLOR);
        if (photo.empty()) ADD_FAILURE() << "missing astronaut.png (scripts/fetch-assets.sh)";
        cv::imwrite((faceClip / "0.jpg").string(), photo);
        cv::imwrite((emptyClip / "0.jpg").string(), cv::Mat(240, 320, CV_8UC3, cv::Scalar(40, 90, 160)));

        // Saved settings: scheduled every 3 minutes, quick to confirm a
        // correct posture, the line well below the astronaut's eyes.
        auto settings = nlohmann::json::parse(contentOf(fs::path(SETTINGS_FIXTURES_DIR) / "complete.plist"));
        settings["scheduleInterval"] = 3.0;
        settings["correctPostureTime"] = 1.0;
        settings["eyeLevelInPercent"] = 0.3;
        fs::create_directories(settingsFile.parent_path());
        std::ofstream(settingsFile) << settings.dump(2);
        savedSettings = contentOf(settingsFile);
    }
    ~ProbeMonitorTest() override { fs::remove_all(home); }

    /// Starts the probe; `stopWhen`, if given, sends `signal` once a line of
    /// its output contains that text. Gives up after 30 seconds.
    Finished runProbe(const std::vector<std::string>& arguments, const std::optional<std::string>& stopWhen = {},
                      int signal = SIGINT) {
        std::vector<std::string> words{SPINEWISE_PROBE};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (auto& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);

        std::vector<std::string> variables{
            "HOME=" + home.string(), "XDG_DATA_HOME=" + (home / "data").string(),
            "XDG_CONFIG_HOME=" + (home / "config").string(),
            "SPINEWISE_REPLAY_DEVICES=" + emptyClip.string() + ":" + faceClip.string()};
        for (char** entry = environ; *entry; ++entry) {
            const std::string variable(*entry);
            if (!variable.starts_with("HOME=") && !variable.starts_with("XDG_") &&
                !variable.starts_with("SPINEWISE_REPLAY_DEVICES="))
                variables.push_back(variable);
        }
        std::vector<char*> envp;
        for (auto& variable : variables) envp.push_back(variable.data());
        envp.push_back(nullptr);

        const auto out = home / "out.txt";
        const auto err = home / "err.txt";
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        pid_t child = 0;
        const int spawned = posix_spawn(&child, argv[0], &files, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&files);
        if (spawned != 0) {
            ADD_FAILURE() << "cannot start " << argv[0];
            return {};
        }

        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        bool signalled = false;
        int status = 0;
        while (waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                ADD_FAILURE() << "the probe did not end";
                break;
            }
            if (stopWhen && !signalled) {
                const auto lines = linesOf(out);
                if (std::ranges::any_of(lines, [&](const auto& line) { return line.find(*stopWhen) != line.npos; }))
                    signalled = kill(child, signal) == 0;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, linesOf(out), contentOf(err)};
    }

    const fs::path home = [] {
        std::string pattern = (fs::temp_directory_path() / "spinewise-probe-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        return fs::path(pattern);
    }();
    const fs::path faceClip = home / "clips" / "astronaut";
    const fs::path emptyClip = home / "clips" / "wall";
    const fs::path settingsFile = home / "data" / "com.brightfold.spinewise" / "preferences.plist";
    std::string savedSettings;
};

TEST_F(ProbeMonitorTest, MonitorsTheChosenClipWithTheSavedSettingsForTheDurationWithoutSaving) {
    const double began = systemClock().now();
    const auto run = runProbe({"--monitor", "live", "--device", "replay:" + faceClip.string(), "--duration", "4"});
    const double ended = systemClock().now();

    EXPECT_EQ(run.exitStatus, 0) << run.err;
    ASSERT_GE(run.out.size(), 7u) << run.err;
    const auto monitorLine = "Current monitor: Real Time";
    EXPECT_EQ(run.out[0], "Loading preferences from: " + settingsFile.string());
    EXPECT_EQ(Lines(run.out.begin() + 1, run.out.begin() + 6),
              (Lines{monitorLine, monitorLine, monitorLine, "Session start", "Camera delegate: MonitorController"}));
    EXPECT_EQ(run.out.back(), "Session stop");

    Lines confirmed;
    std::ranges::copy_if(run.out, std::back_inserter(confirmed), [](const auto& line) { return line.starts_with("{"); });
    ASSERT_EQ(confirmed.size(), 1u);
    const auto posture = nlohmann::json::parse(confirmed.front());
    EXPECT_EQ(posture.size(), 2u);
    EXPECT_EQ(posture.at("state"), "correct");
    EXPECT_GE(posture.at("start").get<double>(), began);
    EXPECT_LE(posture.at("start").get<double>(), ended);

    EXPECT_EQ(contentOf(settingsFile), savedSettings);
}

class ProbeMonitorSignalTest : public ProbeMonitorTest, public ::testing::WithParamInterface<int> {};

TEST_P(ProbeMonitorSignalTest, StopsMonitoringCleanlyOnTheSignal) {
    const auto run = runProbe({"--monitor", "scheduled"}, "Session start", GetParam());

    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(std::ranges::count(run.out, "Current monitor: Scheduled"), 3);
    ASSERT_FALSE(run.out.empty());
    EXPECT_EQ(run.out.back(), "Session stop");
}

INSTANTIATE_TEST_SUITE_P(Signals, ProbeMonitorSignalTest, ::testing::Values(SIGINT, SIGTERM),
                         [](const ::testing::TestParamInfo<int>& param) {
                             return std::string(param.param == SIGINT ? "SIGINT" : "SIGTERM");
                         });

TEST_F(ProbeMonitorTest, ADeviceThatIsNotConnectedIsAnError) {
    const auto run = runProbe({"--monitor", "manual", "--device", "replay:/nowhere"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "spinewise-probe: no usable video device \"replay:/nowhere\"\n");
}

}  // namespace
}  // namespace spinewise
