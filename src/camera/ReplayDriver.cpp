#include "camera/ReplayDriver.hpp"

#include "camera/ReplayFrameReader.hpp"

#include <cstdlib>
#include <string>

namespace spinewise {
namespace {

CaptureError notConnected(const VideoDevice& device) {
    return CaptureError::make(CaptureErrorCode::deviceNotConnected,
                              "The replay device \"" + device.name + "\" is not connected.");
}

}  // namespace

ReplayDriver::ReplayDriver(const std::vector<std::filesystem::path>& paths)
    : deck_(std::make_shared<ReplayDeck>(paths)) {}

std::shared_ptr<ReplayDriver> ReplayDriver::fromEnvironment() {
    std::vector<std::filesystem::path> paths;
    if (const char* value = std::getenv(std::string(kEnvironmentVariable).c_str())) {
        const std::string_view list(value);
        std::size_t begin = 0;
        while (begin <= list.size()) {
            const auto end = std::min(list.find(':', begin), list.size());
            if (end > begin) paths.emplace_back(list.substr(begin, end - begin));
            begin = end + 1;
        }
    }
    return std::make_shared<ReplayDriver>(paths);
}

std::vector<VideoDevice> ReplayDriver::devices() const { return deck_->connectedDevices(); }

std::variant<std::filesystem::path, CaptureError> ReplayDriver::availablePath(const VideoDevice& device) const {
    auto path = deck_->pathOf(device.uniqueID);
    if (!path) return notConnected(device);
    std::error_code error;
    if (!std::filesystem::exists(*path, error))
        return CaptureError::make(CaptureErrorCode::deviceNotConnected,
                                  "The replay file \"" + path->string() + "\" does not exist.");
    return std::move(*path);
}

std::optional<CaptureError> ReplayDriver::checkAvailable(const VideoDevice& device) const {
    auto path = availablePath(device);
    if (auto* error = std::get_if<CaptureError>(&path)) return std::move(*error);
    return std::nullopt;
}

OpenedReader ReplayDriver::open(const VideoDevice& device) const {
    auto path = availablePath(device);
    if (auto* error = std::get_if<CaptureError>(&path)) return std::move(*error);
    auto clip = openReplayClip(std::get<std::filesystem::path>(path));
    if (auto* error = std::get_if<CaptureError>(&clip)) return std::move(*error);
    return std::make_unique<ReplayFrameReader>(deck_, device.uniqueID,
                                               std::move(std::get<std::unique_ptr<ReplayClip>>(clip)));
}

}  // namespace spinewise
