#include "ProbeFrameReader.hpp"

#include <opencv2/imgcodecs.hpp>

#include <filesystem>

namespace spinewise {

ProbeFrameReader ProbeFrameReader::openFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) throw ProbeInputError("cannot open " + path + ": no such file");
    ProbeFrameReader reader(path);
    if (cv::haveImageReader(path)) {
        reader.pendingImage_ = cv::imread(path, cv::IMREAD_COLOR);
        if (reader.pendingImage_.empty()) throw ProbeInputError("cannot read image " + path);
        return reader;
    }
    if (!reader.capture_.open(path) || !reader.capture_.read(reader.pendingImage_) || reader.pendingImage_.empty())
        throw ProbeInputError("cannot read " + path + ": not an image or a video");
    return reader;
}

ProbeFrameReader ProbeFrameReader::openCamera(int index) {
    ProbeFrameReader reader("camera " + std::to_string(index));
    if (!reader.capture_.open(index)) throw ProbeInputError("cannot open camera " + std::to_string(index));
    return reader;
}

bool ProbeFrameReader::read(cv::Mat& frame) {
    if (!pendingImage_.empty()) {
        frame = std::move(pendingImage_);
        pendingImage_ = cv::Mat();
        return true;
    }
    return capture_.isOpened() && capture_.read(frame) && !frame.empty();
}

}  // namespace spinewise
