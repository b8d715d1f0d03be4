#include "ProbeOptions.hpp"

#include <charconv>
#include <cmath>
#include <functional>
#include <map>

namespace spinewise {
namespace {

template <typename Number>
Number parseNumber(const std::string& option, const std::string& text) {
    Number value{};
    const auto* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty())
        throw ProbeUsageError(option + " expects a number, got \"" + text + "\"");
    return value;
}

double parseEyeLevel(const std::string& text) {
    const auto value = parseNumber<double>("--eye-level", text);
    if (!std::isfinite(value) || value < 0 || value > 1)
        throw ProbeUsageError("--eye-level must lie between 0 and 1, got " + text);
    return value;
}

Size parseTarget(const std::string& text) {
    const auto separator = text.find('x');
    if (separator == std::string::npos) throw ProbeUsageError("--target expects WIDTHxHEIGHT, got \"" + text + "\"");
    const auto width = parseNumber<int>("--target", text.substr(0, separator));
    const auto height = parseNumber<int>("--target", text.substr(separator + 1));
    if (width <= 0 || height <= 0) throw ProbeUsageError("--target needs a positive size, got " + text);
    return {static_cast<double>(width), static_cast<double>(height)};
}

FaceDetectorKind parseDetector(const std::string& text) {
    if (const auto kind = faceDetectorKindNamed(text)) return *kind;
    throw ProbeUsageError("--detector must be blazeface or dlib, got \"" + text + "\"");
}

MonitorMode parseMonitorMode(const std::string& text) {
    if (text == "live") return MonitorMode::live;
    if (text == "scheduled") return MonitorMode::scheduled;
    if (text == "manual") return MonitorMode::manual;
    throw ProbeUsageError("--monitor must be live, scheduled or manual, got \"" + text + "\"");
}

TimeInterval parseDuration(const std::string& text) {
    const auto value = parseNumber<double>("--duration", text);
    if (!std::isfinite(value) || value <= 0) throw ProbeUsageError("--duration must be a positive number of seconds");
    return value;
}

template <typename Number>
Number parseAtLeast(const std::string& option, const std::string& text, Number minimum) {
    const auto value = parseNumber<Number>(option, text);
    if (value < minimum) throw ProbeUsageError(option + " must be at least " + std::to_string(minimum));
    return value;
}

using ValueHandler = std::function<void(ProbeOptions&, const std::string&)>;

const std::map<std::string, ValueHandler, std::less<>>& valueOptions() {
    static const std::map<std::string, ValueHandler, std::less<>> options{
        {"--detector", [](ProbeOptions& o, const std::string& v) { o.detector = parseDetector(v); }},
        {"--eye-level", [](ProbeOptions& o, const std::string& v) { o.eyeLevel = parseEyeLevel(v); }},
        {"--target", [](ProbeOptions& o, const std::string& v) { o.target = parseTarget(v); }},
        {"--camera", [](ProbeOptions& o, const std::string& v) { o.cameraIndex = parseAtLeast("--camera", v, 0); }},
        {"--frames", [](ProbeOptions& o, const std::string& v) { o.frameLimit = parseAtLeast("--frames", v, 1L); }},
        {"--monitor", [](ProbeOptions& o, const std::string& v) { o.monitor = parseMonitorMode(v); }},
        {"--device", [](ProbeOptions& o, const std::string& v) { o.deviceUID = v; }},
        {"--duration", [](ProbeOptions& o, const std::string& v) { o.duration = parseDuration(v); }},
    };
    return options;
}

}  // namespace

ProbeOptions parseProbeArguments(std::span<const std::string> arguments) {
    ProbeOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (const auto option = valueOptions().find(argument); option != valueOptions().end()) {
            if (i + 1 == arguments.size()) throw ProbeUsageError(argument + " needs a value");
            option->second(options, arguments[++i]);
        } else if (argument.starts_with("-")) {
            throw ProbeUsageError("unknown option " + argument);
        } else {
            options.files.push_back(argument);
        }
    }
    if (options.help) return options;
    if (options.monitor) {
        if (options.cameraIndex || !options.files.empty() || options.frameLimit)
            throw ProbeUsageError("--monitor takes its frames from the camera: no files, --camera or --frames");
        return options;
    }
    if (options.deviceUID || options.duration) throw ProbeUsageError("--device and --duration go with --monitor");
    if (options.cameraIndex && !options.files.empty()) throw ProbeUsageError("give files or --camera, not both");
    if (!options.cameraIndex && options.files.empty()) throw ProbeUsageError("no input: give image or video files, or --camera INDEX");
    return options;
}

const char* probeUsage() {
    return "usage: spinewise-probe [options] FILE...\n"
           "       spinewise-probe [options] --camera INDEX\n"
           "       spinewise-probe --monitor live|scheduled|manual [--device UID] [--duration SECONDS]\n"
           "                       [--detector D] [--target WxH]\n"
           "Finds the face and both eyes in every frame and prints one JSON line per frame.\n"
           "With --monitor, runs the monitoring engine on a camera (or the clips listed in\n"
           "SPINEWISE_REPLAY_DEVICES) with the saved settings, the mode overridden for this\n"
           "run, and prints its diagnostic lines and one JSON line per confirmed posture,\n"
           "until SIGINT or SIGTERM, or for --duration seconds.\n"
           "  --detector blazeface|dlib   face detector (default blazeface)\n"
           "  --eye-level F               eye-level line, fraction of the target height (default 0.5)\n"
           "  --target WxH                target the image is fitted into (default 1440x900)\n"
           "  --frames N                  at most N frames of each video or camera\n"
           "  --device UID                the camera to monitor with (default: the saved or default one)\n";
}

}  // namespace spinewise
