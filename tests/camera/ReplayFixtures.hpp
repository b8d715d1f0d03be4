#pragma once

#include "CameraTestSupport.hpp"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/videoio.hpp>

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace spinewise::testing {

/// A folder of `count` numbered PNG frames.
inline std::filesystem::path writeImageFolder(const std::filesystem::path& folder, int count) {
    std::filesystem::create_directories(folder);
    for (int number = 0; number < count; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%02d.png", number);
        cv::imwrite((folder / name).string(), numberedFrame(number));
    }
    return folder;
}

/// A Motion-JPEG clip of `count` numbered frames at `framesPerSecond`.
inline std::filesystem::path writeVideo(const std::filesystem::path& file, int count, double framesPerSecond) {
    cv::VideoWriter writer(file.string(), cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), framesPerSecond,
                           cv::Size(160, 120));
    if (!writer.isOpened()) throw std::runtime_error("cannot write " + file.string());
    for (int number = 0; number < count; ++number) writer.write(numberedFrame(number));
    return file;
}

inline std::string replayID(const std::filesystem::path& path) { return "replay:" + path.string(); }

}  // namespace spinewise::testing
