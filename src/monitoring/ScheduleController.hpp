#pragma once

#include "foundation/ObserverRegistry.hpp"
#include "foundation/OperationQueue.hpp"
#include "foundation/Queue.hpp"
#include "monitoring/Monitor.hpp"
#include "monitoring/MonitorEnvironment.hpp"

#include <memory>

namespace spinewise {

class MonitorDelegate;
class Operation;

/// Scheduled mode: an endless chain of bursts (Monitoring), while which the
/// camera runs, and standbys (StandingBy) of `scheduleInterval` whole
/// minutes, while which it is off. The delegate hears monitorDidStartWatching
/// when a burst begins and monitorDidStopWatching when it ends; a burst
/// passes its confirmations on as the `monitor` of its own calls.
///
/// The steps run on an operation queue of the controller's own: each step
/// starts on `stepQueue` and its timers fire on the main queue, where the
/// controller installs the next step as soon as one finishes. The datasource
/// and delegate a burst reports to are the ones set when it began.
class ScheduleController final : public Monitor {
public:
    /// The program passes a serial queue of its own as `stepQueue`; tests may
    /// pass the main queue. Both queues outlive the controller.
    ScheduleController(MonitorEnvironment environment, Queue& stepQueue)
        : environment_(environment), operationQueue_(stepQueue) {}
    ScheduleController(const ScheduleController&) = delete;
    ScheduleController& operator=(const ScheduleController&) = delete;

    /// Begins the cycle with a burst; a cycle already running is dropped first.
    void start() override;
    /// Ends the cycle: the current step makes no further calls, and the
    /// delegate hears monitorDidStopWatching, also when nothing was running.
    void stop() override;
    std::string description() const override { return "Scheduled"; }

private:
    void installBurst();
    void installStandby();
    void install(const std::shared_ptr<Operation>& step, void (ScheduleController::*whenFinished)());
    void dropSteps();
    void burstDidFinish();
    void standbyDidFinish();
    void tellDelegate(void (MonitorDelegate::*call)(Monitor&));

    MonitorEnvironment environment_;
    OperationQueue operationQueue_;
    // Declared after the queue, so it is removed while the queue still holds
    // the step it observes. It holds the controller without owning it.
    ObservationToken currentStepObservation_;
};

}  // namespace spinewise
