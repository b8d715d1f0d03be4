#pragma once

#include "foundation/AlertPresenter.hpp"
#include "foundation/Geometry.hpp"
#include "foundation/Log.hpp"
#include "foundation/Screen.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace spinewise::testing {

/// The whole content of a file; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Writes `bytes` as the whole file, creating its folder.
inline void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

/// A fresh directory under the system's temporary folder, removed with its content.
class TemporaryDirectory {
public:
    TemporaryDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "spinewise-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TemporaryDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

class FakeMainScreen final : public MainScreen {
public:
    explicit FakeMainScreen(std::optional<Rect> frame = Rect{0, 0, 1440, 900}) : frame_(frame) {}
    std::optional<Rect> frame() const override { return frame_; }

private:
    std::optional<Rect> frame_;
};

class RecordingAlerts final : public AlertPresenter {
public:
    void presentAlert(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

/// Collects the diagnostic lines written, from any thread, while it lives.
class LogRecorder {
public:
    std::vector<std::string> lines() const {
        const std::lock_guard lock(mutex_);
        return lines_;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        lines_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    ScopedLogCapture capture_{[this](std::string_view line) {
        const std::lock_guard lock(mutex_);
        lines_.emplace_back(line);
    }};
};

}  // namespace spinewise::testing
