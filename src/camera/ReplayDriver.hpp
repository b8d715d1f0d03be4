#pragma once

#include "camera/CaptureDriver.hpp"
#include "camera/ReplayDeck.hpp"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace spinewise {

/// Video files and image folders played in a loop as if they were cameras,
/// for tests and demonstrations. A device's identifier is "replay:" and its
/// absolute path, its name the file or folder name.
///
/// Tests unplug a device (reading ends quietly, the device leaves the list),
/// plug it in again, or make its next read fail (a runtime error). A path
/// that does not exist is an error when the device is attached.
class ReplayDriver final : public CaptureDriver {
public:
    /// The variable that lists the replayed paths, separated by ':'.
    static constexpr std::string_view kEnvironmentVariable = "SPINEWISE_REPLAY_DEVICES";

    explicit ReplayDriver(const std::vector<std::filesystem::path>& paths);

    /// The paths listed in kEnvironmentVariable; none when it is not set.
    static std::shared_ptr<ReplayDriver> fromEnvironment();

    std::vector<VideoDevice> devices() const override;
    std::optional<CaptureError> checkAvailable(const VideoDevice& device) const override;
    OpenedReader open(const VideoDevice& device) const override;

    void unplug(const std::string& uniqueID) { deck_->setConnected(uniqueID, false); }
    void plugIn(const std::string& uniqueID) { deck_->setConnected(uniqueID, true); }
    /// The next read of the device fails with `description`.
    void fail(const std::string& uniqueID, std::string description) { deck_->fail(uniqueID, std::move(description)); }

private:
    std::variant<std::filesystem::path, CaptureError> availablePath(const VideoDevice& device) const;

    const std::shared_ptr<ReplayDeck> deck_;
};

}  // namespace spinewise
