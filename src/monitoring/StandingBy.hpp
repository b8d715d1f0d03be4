#pragma once

#include "foundation/Queue.hpp"
#include "monitoring/AsynchronousOperation.hpp"
#include "monitoring/DispatchTimer.hpp"

#include <memory>

namespace spinewise {

/// The pause between two bursts of the scheduled mode: finishes when its
/// wait, counted from start(), has run out on the main queue, also when it
/// was cancelled meanwhile.
class StandingBy final : public AsynchronousOperation {
public:
    /// Waits `intervalInMinutes` truncated to whole minutes: 2.5 waits 120 seconds.
    StandingBy(Queue& mainQueue, double intervalInMinutes);

private:
    void begin() override;

    Queue& mainQueue_;
    const TimeInterval wait_;
    std::unique_ptr<DispatchTimer> timer_;
};

}  // namespace spinewise
