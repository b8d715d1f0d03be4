#include "monitoring/Monitoring.hpp"

namespace spinewise {

namespace {
constexpr TimeInterval kTickInterval = 1;
constexpr CheckEndLines kEndLines{
    .correct = "Stop monitoring due to correct posture. ",
    .unknown = "Stop monitoring due to unknown posture duration. ",
};
}  // namespace

Monitoring::Monitoring(MonitorEnvironment environment, std::weak_ptr<MonitorDatasource> datasource,
                       std::weak_ptr<MonitorDelegate> delegate)
    : environment_(environment), evaluation_(environment) {
    setDatasource(std::move(datasource));
    setDelegate(std::move(delegate));
}

void Monitoring::stop() {
    if (timer_) timer_->stop();
}

void Monitoring::begin() {
    timer_ = std::make_unique<DispatchTimer>(kTickInterval, true, environment_.mainQueue, blockCalling(&Monitoring::tick));
    timer_->start();
}

void Monitoring::tick() {
    if (!isCancelled() && !evaluation_.confirmEndingCheck(*this, kEndLines)) return;
    timer_->stop();
    finish();
}

}  // namespace spinewise
