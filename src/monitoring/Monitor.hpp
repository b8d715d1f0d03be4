#pragma once

#include <memory>
#include <string>
#include <utility>

namespace spinewise {

class MonitorDatasource;
class MonitorDelegate;

/// A monitoring mode: decides when posture samples are needed and when a
/// posture has lasted long enough to count. It learns the posture from its
/// datasource and reports to its delegate, both held weakly: a missing one
/// turns the call into a silent no-op.
///
/// Main thread only. A mode stays alive through every call it makes: its
/// owner must not destroy it from inside a datasource or delegate call.
class Monitor {
public:
    virtual ~Monitor() = default;

    std::weak_ptr<MonitorDatasource> datasource() const { return datasource_; }
    void setDatasource(std::weak_ptr<MonitorDatasource> datasource) { datasource_ = std::move(datasource); }
    std::weak_ptr<MonitorDelegate> delegate() const { return delegate_; }
    void setDelegate(std::weak_ptr<MonitorDelegate> delegate) { delegate_ = std::move(delegate); }

    /// Begins the mode's activity.
    virtual void start() = 0;
    /// Ends it.
    virtual void stop() = 0;
    /// The mode's name as the menu and the log show it.
    virtual std::string description() const = 0;

protected:
    Monitor() = default;
    Monitor(const Monitor&) = default;
    Monitor& operator=(const Monitor&) = default;

private:
    std::weak_ptr<MonitorDatasource> datasource_;
    std::weak_ptr<MonitorDelegate> delegate_;
};

}  // namespace spinewise
