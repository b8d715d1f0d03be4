#include "monitoring/TickingMonitor.hpp"

#include "monitoring/MonitorDelegate.hpp"

namespace spinewise {

namespace {
constexpr TimeInterval kTickInterval = 1;
}  // namespace

void TickingMonitor::start() {
    // The block does not own the monitor: the timer is the monitor's, and a
    // destroyed timer never runs its block again.
    timer_ = std::make_unique<DispatchTimer>(kTickInterval, true, environment_.mainQueue, [this] { tick(); });
    timer_->start();
    if (const auto delegate = this->delegate().lock()) delegate->monitorDidStartWatching(*this);
}

void TickingMonitor::stop() {
    if (timer_) timer_->stop();
    if (const auto delegate = this->delegate().lock()) delegate->monitorDidStopWatching(*this);
}

}  // namespace spinewise
