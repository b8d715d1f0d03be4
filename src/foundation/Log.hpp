#pragma once

#include <functional>
#include <string_view>

namespace spinewise {

/// Writes one diagnostic line on standard output. Safe from any thread: lines
/// from different threads never interleave.
void logLine(std::string_view line);

/// While alive, diverts every diagnostic line to `sink` instead of standard
/// output (tests read what the program says this way). Not nestable.
class ScopedLogCapture {
public:
    using Sink = std::function<void(std::string_view)>;
    explicit ScopedLogCapture(Sink sink);
    ~ScopedLogCapture();
    ScopedLogCapture(const ScopedLogCapture&) = delete;
    ScopedLogCapture& operator=(const ScopedLogCapture&) = delete;
};

}  // namespace spinewise
