#include "ChildRun.hpp"

#include "posture/Detector.hpp"

#include <opencv2/core/utility.hpp>

#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <span>
#include <string>

namespace spinewise {
namespace {

/// A /proc/self/status field in megabytes ("VmRSS", "VmHWM").
double statusMegabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field + ":")) return std::stod(line.substr(field.size() + 1)) / 1024.0;
    }
    return 0;
}

struct SharedHeader {
    double baselineRssMb;
    double peakRssMb;
};

void measure(const DetectorFactory& makeDetector, const BenchFrames& frames, SharedHeader& header,
             std::span<FrameResult> results) {
    cv::setNumThreads(1);
    header.baselineRssMb = statusMegabytes("VmRSS");
    Detector detector(makeDetector());
    detector.detectFace(cv::Mat(frames.spec(0).size, CV_8UC3, cv::Scalar::all(0)));
    for (std::size_t i = 0; i < frames.count(); ++i) {
        const auto frame = frames.frame(i);
        const auto started = std::chrono::steady_clock::now();
        const auto face = detector.detectFace(frame);
        const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - started;
        results[i] = {elapsed.count(), face.has_value(), face ? face->leftEyePosition.y : 0.0,
                      face ? face->rightEyePosition.y : 0.0};
    }
    header.peakRssMb = statusMegabytes("VmHWM");
}

}  // namespace

std::optional<MethodRun> runInChild(const DetectorFactory& makeDetector, const BenchFrames& frames) {
    const std::size_t bytes = sizeof(SharedHeader) + frames.count() * sizeof(FrameResult);
    void* shared = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (shared == MAP_FAILED) return std::nullopt;
    auto* header = new (shared) SharedHeader{};
    auto* results = reinterpret_cast<FrameResult*>(header + 1);
    std::uninitialized_value_construct_n(results, frames.count());

    const pid_t child = fork();
    if (child == 0) {
        measure(makeDetector, frames, *header, {results, frames.count()});
        _exit(0);
    }
    int status = 0;
    const bool finished = child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                          WEXITSTATUS(status) == 0;
    std::optional<MethodRun> run;
    if (finished)
        run = MethodRun{{results, results + frames.count()}, header->baselineRssMb, header->peakRssMb};
    munmap(shared, bytes);
    return run;
}

}  // namespace spinewise
