#include "foundation/Clock.hpp"

#include <chrono>

namespace spinewise {

TimeInterval SystemClock::now() const {
    const auto sinceUnix = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(sinceUnix).count() - kUnixToReferenceDate;
}

const Clock& systemClock() {
    static const SystemClock clock;
    return clock;
}

}  // namespace spinewise
