#pragma once

#include <string>

namespace spinewise {

/// A video capture device as the session offers it. The identifier stays the
/// same when the device is unplugged and plugged in again; the name is for people.
struct VideoDevice {
    std::string uniqueID;
    std::string name;
    friend bool operator==(const VideoDevice&, const VideoDevice&) = default;
};

}  // namespace spinewise
