#include "camera/Camera.hpp"
#include "foundation/BackgroundQueue.hpp"
#include "foundation/Fatal.hpp"
#include "foundation/SerialQueue.hpp"
#include "foundation/WorkspaceNotifications.hpp"
#include "monitoring/MonitorController.hpp"
#include "settings/Preferences.hpp"
#include "settings/ProgramEnvironment.hpp"

namespace spinewise {
namespace {

/// The queues the program's controller needs beside the main queue.
struct ProgramQueues {
    explicit ProgramQueues(Queue& main) : mainQueue(main), mainOperationQueue(main) {}

    Queue& mainQueue;
    OperationQueue mainOperationQueue;
    SerialQueue stepQueue{"com.brightfold.spinewise.schedule"};
};

// Never destroyed, like the shared camera: when the program ends, a frame
// handler may still wait on the main operation queue.
ProgramQueues& programQueues(Queue& mainQueue) {
    static auto* const queues = new ProgramQueues(mainQueue);
    if (&queues->mainQueue != &mainQueue) fatalError("The monitor controller's queues serve another main queue");
    return *queues;
}

}  // namespace

std::shared_ptr<MonitorController> MonitorController::makeForProgram(Queue& mainQueue, Detector detector) {
    auto& queues = programQueues(mainQueue);
    return make(
        {
            .mainQueue = mainQueue,
            .mainOperationQueue = queues.mainOperationQueue,
            .throttleDelayQueue = backgroundQueue(),
            .stepQueue = queues.stepQueue,
            .camera = Camera::shared(),
            .preferences = Preferences::shared(),
            .mainScreen = ProgramEnvironment::mainScreen(),
            .notifications = NotificationCenter::defaultCenter(),
            .workspaceNotifications = WorkspaceNotifications::center(),
        },
        std::move(detector));
}

}  // namespace spinewise
