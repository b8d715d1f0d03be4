#pragma once

#include "foundation/Clock.hpp"

#include <atomic>

namespace spinewise {

/// A clock that moves only when told to. Readable from any thread.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(TimeInterval start = 0) : now_(start) {}

    TimeInterval now() const override { return now_.load(); }
    void set(TimeInterval time) { now_.store(time); }

private:
    std::atomic<TimeInterval> now_;
};

}  // namespace spinewise
