// spinewise-probe: runs the face detector and the eye-level rule over images,
// videos or a camera and prints one JSON line per frame, or runs the
// monitoring engine headless (--monitor).
#include "ProbeFrameReader.hpp"
#include "MonitorProbe.hpp"
#include "ProbeOptions.hpp"
#include "ProbeRecord.hpp"

#include "foundation/Clock.hpp"
#include "posture/Detector.hpp"
#include "posture/EyeLevelRule.hpp"

#include <nlohmann/json.hpp>
#include <opencv2/core/utility.hpp>
#include <opencv2/core/utils/logger.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace spinewise {
namespace {

constexpr int kUsageExit = 2;
constexpr int kInputExit = 1;

void probe(ProbeFrameReader& reader, Detector& detector, const ProbeOptions& options) {
    cv::Mat frame;
    for (long index = 0; (!options.frameLimit || index < *options.frameLimit) && reader.read(frame); ++index) {
        const auto started = std::chrono::steady_clock::now();
        const auto face = detector.detectFace(frame);
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - started;
        const Size imageSize{static_cast<double>(frame.cols), static_cast<double>(frame.rows)};
        const auto posture = classifyPosture(face, imageSize, options.target, options.eyeLevel, systemClock().now());
        const ProbeRecord record{reader.sourceName(), index, imageSize, face, posture.state, elapsed.count()};
        std::cout << toJson(record).dump() << '\n' << std::flush;
    }
}

int run(const ProbeOptions& options) {
    // One thread keeps the probe as light as the program. The log lines of
    // OpenCV and of its video decoder would break the one-line error reports.
    cv::setNumThreads(1);
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    setenv("OPENCV_FFMPEG_LOGLEVEL", "-8", 0);
    if (options.monitor) return runMonitorProbe(options);
    Detector detector(makeFaceDetector(options.detector));
    try {
        if (options.cameraIndex) {
            auto reader = ProbeFrameReader::openCamera(*options.cameraIndex);
            probe(reader, detector, options);
        }
        for (const auto& file : options.files) {
            auto reader = ProbeFrameReader::openFile(file);
            probe(reader, detector, options);
        }
    } catch (const ProbeInputError& error) {
        std::cerr << "spinewise-probe: " << error.what() << '\n';
        return kInputExit;
    }
    return 0;
}

}  // namespace
}  // namespace spinewise

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    spinewise::ProbeOptions options;
    try {
        options = spinewise::parseProbeArguments(arguments);
    } catch (const spinewise::ProbeUsageError& error) {
        std::cerr << "spinewise-probe: " << error.what() << " (--help shows the usage)\n";
        return spinewise::kUsageExit;
    }
    if (options.help) {
        std::cout << spinewise::probeUsage();
        return 0;
    }
    return spinewise::run(options);
}
