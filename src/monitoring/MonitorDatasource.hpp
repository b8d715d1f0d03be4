#pragma once

#include "posture/Posture.hpp"

#include <optional>

namespace spinewise {

class Monitor;

/// Supplies the posture a monitoring mode judges.
class MonitorDatasource {
public:
    virtual ~MonitorDatasource() = default;

    /// The current posture, whose start is the moment its state began; nothing
    /// while no frame has been classified since the camera last started or
    /// stopped. `monitor` is the asking mode object.
    virtual std::optional<Posture> currentPosture(Monitor& monitor) = 0;

protected:
    MonitorDatasource() = default;
    MonitorDatasource(const MonitorDatasource&) = default;
    MonitorDatasource& operator=(const MonitorDatasource&) = default;
};

}  // namespace spinewise
