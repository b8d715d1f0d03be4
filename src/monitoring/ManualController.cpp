#include "monitoring/ManualController.hpp"

namespace spinewise {

namespace {
constexpr CheckEndLines kEndLines{
    .correct = "Stop manual controller due to correct posture. ",
    .unknown = "Stop manual controller due to unknown posture duration. ",
};
}  // namespace

void ManualController::tick() {
    if (evaluation().confirmEndingCheck(*this, kEndLines)) stop();
}

}  // namespace spinewise
