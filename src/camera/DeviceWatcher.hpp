#pragma once

#include "camera/VideoDevice.hpp"
#include "foundation/Clock.hpp"

#include <functional>
#include <thread>
#include <vector>

namespace spinewise {

/// Looks at a device list every `interval` seconds on a thread of its own and
/// reports the devices that came and went since the previous look, compared
/// by identifier. The first look happens in the constructor and reports nothing.
class DeviceWatcher {
public:
    using Lister = std::function<std::vector<VideoDevice>()>;
    using Reporter = std::function<void(const VideoDevice&)>;

    DeviceWatcher(Lister list, TimeInterval interval, Reporter connected, Reporter disconnected);
    DeviceWatcher(const DeviceWatcher&) = delete;
    DeviceWatcher& operator=(const DeviceWatcher&) = delete;

    // Destruction stops the thread and waits for it.

private:
    std::jthread thread_;
};

}  // namespace spinewise
