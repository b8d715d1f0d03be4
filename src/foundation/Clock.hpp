#pragma once

namespace spinewise {

/// Seconds, as a 64-bit float. Points in time are seconds since 2001-01-01 00:00:00 UTC.
using TimeInterval = double;

/// The source of "now" for everything that measures time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeInterval now() const = 0;
};

/// Wall-clock time on the reference-date epoch.
class SystemClock final : public Clock {
public:
    TimeInterval now() const override;
};

/// The process-wide wall clock.
const Clock& systemClock();

/// Seconds between the Unix epoch and the reference date 2001-01-01 00:00:00 UTC.
inline constexpr TimeInterval kUnixToReferenceDate = 978307200.0;

}  // namespace spinewise
