#include "camera/DeviceWatcher.hpp"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <pthread.h>

namespace spinewise {
namespace {

bool listed(const std::vector<VideoDevice>& devices, const VideoDevice& device) {
    return std::ranges::any_of(devices, [&](const VideoDevice& d) { return d.uniqueID == device.uniqueID; });
}

void watch(std::stop_token stop, const DeviceWatcher::Lister& list, TimeInterval interval,
           const DeviceWatcher::Reporter& connected, const DeviceWatcher::Reporter& disconnected,
           std::vector<VideoDevice> previous) {
    pthread_setname_np(pthread_self(), "spinewise-watch");
    std::mutex mutex;
    std::condition_variable_any wake;
    const auto pause = std::chrono::duration<TimeInterval>(interval);
    while (true) {
        {
            std::unique_lock lock(mutex);
            if (wake.wait_for(lock, stop, pause, [] { return false; }) || stop.stop_requested()) return;
        }
        auto current = list();
        for (const auto& device : previous)
            if (!listed(current, device)) disconnected(device);
        for (const auto& device : current)
            if (!listed(previous, device)) connected(device);
        previous = std::move(current);
    }
}

}  // namespace

DeviceWatcher::DeviceWatcher(Lister list, TimeInterval interval, Reporter connected, Reporter disconnected) {
    auto initial = list();
    thread_ = std::jthread([list = std::move(list), interval, connected = std::move(connected),
                            disconnected = std::move(disconnected),
                            initial = std::move(initial)](std::stop_token stop) mutable {
        watch(stop, list, interval, connected, disconnected, std::move(initial));
    });
}

}  // namespace spinewise
