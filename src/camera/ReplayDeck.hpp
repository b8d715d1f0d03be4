#pragma once

#include "camera/VideoDevice.hpp"

#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace spinewise {

/// The replayed devices and what was done to them: unplugged, plugged in
/// again, made to fail. Shared by the replay driver and its readers; thread-safe.
class ReplayDeck {
public:
    /// Paths become absolute; a path listed twice gives one device.
    explicit ReplayDeck(const std::vector<std::filesystem::path>& paths);

    std::vector<VideoDevice> connectedDevices() const;
    /// The file or folder of a connected device.
    std::optional<std::filesystem::path> pathOf(const std::string& uniqueID) const;

    void setConnected(const std::string& uniqueID, bool connected);
    /// The next read of the device fails with this text, once.
    void fail(const std::string& uniqueID, std::string description);
    /// The failure set by fail(), which no longer applies afterwards.
    std::optional<std::string> takeFailure(const std::string& uniqueID);

private:
    struct Slot {
        VideoDevice device;
        std::filesystem::path path;
        bool connected = true;
        std::optional<std::string> failure;
    };

    mutable std::mutex mutex_;
    std::vector<Slot> slots_;
};

}  // namespace spinewise
