// spinewise-bench: our BlazeFace detector against dlib (HOG + 68 landmarks) and
// OpenCV's Haar cascades, on the same frames, one thread each.
#include "BenchFrames.hpp"
#include "ChildRun.hpp"
#include "HaarFaceFinder.hpp"
#include "Statistics.hpp"

#include "foundation/ResourceBundle.hpp"
#include "posture/BlazeFaceFinder.hpp"
#include "posture/DlibFaceFinder.hpp"
#include "posture/TrackingFaceDetector.hpp"

#include <opencv2/core/utils/logger.hpp>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace spinewise {
namespace {

const cv::Size kSmall(640, 480);
const cv::Size kLarge(1280, 720);

/// Searches the whole image on every frame: how the cascades are usually run.
class WholeImageFaceDetector final : public FaceDetector {
public:
    explicit WholeImageFaceDetector(std::unique_ptr<RegionFaceFinder> finder) : finder_(std::move(finder)) {}
    std::vector<FaceFeature> features(const cv::Mat& bgrImage) override {
        return finder_->findFaces(bgrImage, TrackingFaceDetector::wholeImageSquare(bgrImage.size()));
    }

private:
    std::unique_ptr<RegionFaceFinder> finder_;
};

struct Method {
    std::string name;
    DetectorFactory make;
};

struct Row {
    std::string name;
    double smallMedian, smallP95, largeMedian, largeP95;
    double bothEyesPercent;
    double eyeErrorPx;  ///< all frames; NaN without a reference
    double smallEyeErrorPx, largeEyeErrorPx;
    double peakRssMb, rssGrowthMb;
};

std::vector<double> timesAt(const MethodRun& run, const BenchFrames& frames, cv::Size size) {
    std::vector<double> times;
    for (std::size_t i = 0; i < frames.count(); ++i)
        if (frames.spec(i).size == size) times.push_back(run.frames[i].milliseconds);
    return times;
}

/// Mean absolute eye height difference, both eyes, over the frames of one
/// size (any size without one) where both found two eyes; NaN for none.
double eyeError(const MethodRun& run, const MethodRun& reference, const BenchFrames& frames,
                std::optional<cv::Size> size) {
    double sum = 0;
    int count = 0;
    for (std::size_t i = 0; i < run.frames.size(); ++i) {
        const auto& ours = run.frames[i];
        const auto& theirs = reference.frames[i];
        if (!ours.bothEyes || !theirs.bothEyes || (size && frames.spec(i).size != *size)) continue;
        sum += std::abs(ours.leftEyeY - theirs.leftEyeY) + std::abs(ours.rightEyeY - theirs.rightEyeY);
        count += 2;
    }
    return count ? sum / count : std::nan("");
}

Row summarise(const std::string& name, const MethodRun& run, const MethodRun* reference, const BenchFrames& frames) {
    const auto small = timesAt(run, frames, kSmall);
    const auto large = timesAt(run, frames, kLarge);
    double found = 0;
    for (const auto& frame : run.frames) found += frame.bothEyes;
    return {name,
            percentile(small, 0.5),
            percentile(small, 0.95),
            percentile(large, 0.5),
            percentile(large, 0.95),
            100.0 * found / static_cast<double>(run.frames.size()),
            reference ? eyeError(run, *reference, frames, std::nullopt) : std::nan(""),
            reference ? eyeError(run, *reference, frames, kSmall) : std::nan(""),
            reference ? eyeError(run, *reference, frames, kLarge) : std::nan(""),
            run.peakRssMb,
            run.peakRssMb - run.baselineRssMb};
}

void printTable(const std::vector<Row>& rows, const BenchFrames& frames) {
    std::printf("%zu frames (%zu pictures x 3 shifts x 2 sizes), one thread, eye error against dlib on whole frames\n\n",
                frames.count(), frames.sourceCount());
    std::printf("| method | 640x480 median ms | 640x480 p95 ms | 1280x720 median ms | 1280x720 p95 ms | both eyes | "
                "eye-y error px (640 / 1280 / all) | peak RSS MB | RSS growth MB |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const auto& row : rows) {
        char error[64] = "reference";
        if (!std::isnan(row.eyeErrorPx))
            std::snprintf(error, sizeof error, "%.2f / %.2f / %.2f", row.smallEyeErrorPx, row.largeEyeErrorPx,
                          row.eyeErrorPx);
        std::printf("| %s | %.2f | %.2f | %.2f | %.2f | %.1f%% | %s | %.0f | %.0f |\n", row.name.c_str(),
                    row.smallMedian, row.smallP95, row.largeMedian, row.largeP95, row.bothEyesPercent, error,
                    row.peakRssMb, row.rssGrowthMb);
    }
}

void printTargets(const Row& ours, const Row& haar) {
    const auto verdict = [](bool met) { return met ? "met" : "MISSED"; };
    const double speedup = haar.largeMedian / ours.largeMedian;
    std::printf("\nTargets for ours:\n");
    std::printf("  median at 1280x720 <= 3 ms:   %.2f ms  %s\n", ours.largeMedian, verdict(ours.largeMedian <= 3.0));
    std::printf("  frames with both eyes >= 99%%: %.1f%%  %s\n", ours.bothEyesPercent,
                verdict(ours.bothEyesPercent >= 99.0));
    std::printf("  >= 15x faster than Haar:      %.1fx (1280x720 medians)  %s\n", speedup, verdict(speedup >= 15.0));
    std::printf("  eye-y error <= 1.5 px:        %.2f px  %s\n", ours.eyeErrorPx, verdict(ours.eyeErrorPx <= 1.5));
}

int run() {
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    const BenchFrames frames(SPINEWISE_TESTDATA_DIR, 45, {kSmall, kLarge}, {0.0, 0.1, 0.2});
    const auto modelPath = ResourceBundle::main().requiredResource(BlazeFaceFinder::kModelResource);
    const std::vector<Method> methods{
        {"ours: BlazeFace, near last face first", [&] { return std::make_unique<TrackingFaceDetector>(std::make_unique<BlazeFaceFinder>(modelPath)); }},
        {"dlib HOG + 68 landmarks, near last face first", [] {
             return std::make_unique<TrackingFaceDetector>(
                 std::make_unique<DlibFaceFinder>(DlibFaceFinder::kDefaultPredictorPath));
         }},
        {"dlib HOG + 68 landmarks, whole frame (reference)", [] {
             return std::make_unique<WholeImageFaceDetector>(
                 std::make_unique<DlibFaceFinder>(DlibFaceFinder::kDefaultPredictorPath));
         }},
        {"Haar face + eyes, whole frame (baseline)", [] {
             return std::make_unique<WholeImageFaceDetector>(
                 std::make_unique<HaarFaceFinder>(HaarFaceFinder::kCascadeDirectory));
         }},
        {"Haar face + eyes, near last face first", [] {
             return std::make_unique<TrackingFaceDetector>(
                 std::make_unique<HaarFaceFinder>(HaarFaceFinder::kCascadeDirectory));
         }},
    };

    std::vector<MethodRun> runs;
    for (const auto& method : methods) {
        std::fprintf(stderr, "running %s...\n", method.name.c_str());
        auto result = runInChild(method.make, frames);
        if (!result) {
            std::fprintf(stderr, "spinewise-bench: %s failed\n", method.name.c_str());
            return 1;
        }
        runs.push_back(std::move(*result));
    }
    // dlib searching every whole frame is the eye-height reference: a search
    // near the last face can settle on a false face after a scene change.
    constexpr std::size_t kReference = 2;
    constexpr std::size_t kBaseline = 3;
    std::vector<Row> rows;
    for (std::size_t i = 0; i < methods.size(); ++i)
        rows.push_back(summarise(methods[i].name, runs[i], i == kReference ? nullptr : &runs[kReference], frames));
    printTable(rows, frames);
    printTargets(rows[0], rows[kBaseline]);
    return 0;
}

}  // namespace
}  // namespace spinewise

int main() { return spinewise::run(); }
