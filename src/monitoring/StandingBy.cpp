#include "monitoring/StandingBy.hpp"

#include <cmath>

namespace spinewise {

StandingBy::StandingBy(Queue& mainQueue, double intervalInMinutes)
    : mainQueue_(mainQueue), wait_(std::trunc(intervalInMinutes) * 60) {}

void StandingBy::begin() {
    timer_ = std::make_unique<DispatchTimer>(wait_, false, mainQueue_, blockCalling(&StandingBy::finish));
    timer_->start();
}

}  // namespace spinewise
