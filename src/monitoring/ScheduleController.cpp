#include "monitoring/ScheduleController.hpp"

#include "monitoring/MonitorDelegate.hpp"
#include "monitoring/Monitoring.hpp"
#include "monitoring/StandingBy.hpp"
#include "settings/Preferences.hpp"

namespace spinewise {

void ScheduleController::start() {
    dropSteps();
    installBurst();
    tellDelegate(&MonitorDelegate::monitorDidStartWatching);
}

void ScheduleController::stop() {
    dropSteps();
    tellDelegate(&MonitorDelegate::monitorDidStopWatching);
}

void ScheduleController::installBurst() {
    install(std::make_shared<Monitoring>(environment_, datasource(), delegate()), &ScheduleController::burstDidFinish);
}

void ScheduleController::installStandby() {
    install(std::make_shared<StandingBy>(environment_.mainQueue, environment_.preferences.scheduleInterval()),
            &ScheduleController::standbyDidFinish);
}

void ScheduleController::install(const std::shared_ptr<Operation>& step,
                                 void (ScheduleController::*whenFinished)()) {
    // A step finishes on the main queue, or, once dropped, wherever it is
    // found cancelled: by then it is no longer observed.
    currentStepObservation_ = step->observe("isFinished", [this, whenFinished] { (this->*whenFinished)(); });
    operationQueue_.addOperation(step);
}

void ScheduleController::dropSteps() {
    currentStepObservation_.reset();
    operationQueue_.cancelAllOperations();
}

void ScheduleController::burstDidFinish() {
    installStandby();
    tellDelegate(&MonitorDelegate::monitorDidStopWatching);
}

void ScheduleController::standbyDidFinish() {
    installBurst();
    tellDelegate(&MonitorDelegate::monitorDidStartWatching);
}

void ScheduleController::tellDelegate(void (MonitorDelegate::*call)(Monitor&)) {
    if (const auto delegate = this->delegate().lock()) ((*delegate).*call)(*this);
}

}  // namespace spinewise
