#pragma once

#include "../settings/SettingsTestSupport.hpp"

#include "foundation/Log.hpp"
#include "foundation/VirtualMainQueue.hpp"
#include "monitoring/Monitor.hpp"
#include "monitoring/MonitorDatasource.hpp"
#include "monitoring/MonitorDelegate.hpp"
#include "monitoring/MonitorEnvironment.hpp"
#include "settings/Preferences.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spinewise::testing {

inline std::string decimal(double value) {
    std::array<char, 32> number{};
    const auto written = std::to_chars(number.data(), number.data() + number.size(), value);
    return std::string(number.data(), written.ptr);
}

/// What the modes did, in order, one "<virtual time> <event>" line each.
class Transcript {
public:
    explicit Transcript(const Clock& clock) : clock_(clock) {}

    void add(std::string_view event) { lines.push_back(decimal(clock_.now()) + " " + std::string(event)); }

    /// The lines that contain `word`.
    std::vector<std::string> linesWith(std::string_view word) const {
        std::vector<std::string> found;
        std::ranges::copy_if(lines, std::back_inserter(found),
                             [word](const std::string& line) { return line.find(word) != std::string::npos; });
        return found;
    }

    std::vector<std::string> lines;

private:
    const Clock& clock_;
};

/// Hands out the posture the test sets, and notes who asked when.
class ScriptedDatasource final : public MonitorDatasource {
public:
    explicit ScriptedDatasource(const Clock& clock) : clock_(clock) {}

    std::optional<Posture> currentPosture(Monitor& monitor) override {
        askers.push_back(&monitor);
        askTimes.push_back(clock_.now());
        return posture;
    }

    std::optional<Posture> posture;
    std::vector<const Monitor*> askers;
    std::vector<TimeInterval> askTimes;

private:
    const Clock& clock_;
};

/// Writes every call into the transcript: "confirm <state>", "start", "stop".
class RecordingDelegate final : public MonitorDelegate {
public:
    explicit RecordingDelegate(Transcript& transcript) : transcript_(transcript) {}

    void monitorDidConfirm(Monitor& monitor, const Posture& posture) override {
        record(monitor, "confirm " + std::string(toString(posture.state)));
    }
    void monitorDidStartWatching(Monitor& monitor) override { record(monitor, "start"); }
    void monitorDidStopWatching(Monitor& monitor) override { record(monitor, "stop"); }

    /// The `monitor` argument of each call, in order, and its description at the time.
    std::vector<const Monitor*> senders;
    std::vector<std::string> senderDescriptions;

private:
    void record(const Monitor& monitor, std::string_view event) {
        senders.push_back(&monitor);
        senderDescriptions.push_back(monitor.description());
        transcript_.add(event);
    }

    Transcript& transcript_;
};

/// Virtual time from 0, default settings (interval 1 minute, correct 5 s,
/// poor 2 s, unknown 10 s), a scripted datasource and a recording delegate
/// whose calls share one transcript with the diagnostic lines ("log <line>").
class MonitorTest : public ::testing::Test {
protected:
    /// The defaults, as no settings file exists yet; the lines of the loading are dropped.
    std::unique_ptr<Preferences> defaultPreferences() {
        const ScopedLogCapture silence([](std::string_view) {});
        return std::make_unique<Preferences>(PreferencesEnvironment{
            .applicationDirectory = ApplicationDirectory(home.path(), std::make_shared<RecordingAlerts>()),
            .userDefaults = UserDefaults(home.path() / "user-defaults.json"),
            .mainScreen = screen,
            .resources = resources,
            .clock = main.clock(),
        });
    }

    MonitorEnvironment environment() { return {main, *preferences}; }

    void setPosture(Posture::State state, TimeInterval start) { datasource->posture = Posture{state, start, {}}; }

    void attach(Monitor& monitor) {
        monitor.setDatasource(datasource);
        monitor.setDelegate(delegate);
    }

    VirtualMainQueue main;
    TemporaryDirectory home;
    FakeMainScreen screen{Rect{0, 0, 1920, 1080}};
    ResourceBundle resources{SPINEWISE_RESOURCE_DIR};
    std::unique_ptr<Preferences> preferences = defaultPreferences();
    Transcript transcript{main.clock()};
    ScopedLogCapture logCapture{[this](std::string_view line) { transcript.add("log " + std::string(line)); }};
    std::shared_ptr<ScriptedDatasource> datasource = std::make_shared<ScriptedDatasource>(main.clock());
    std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>(transcript);
};

using Lines = std::vector<std::string>;

}  // namespace spinewise::testing
