#include "foundation/Log.hpp"

#include <cstdio>
#include <mutex>
#include <string>

namespace spinewise {
namespace {

std::mutex& logMutex() {
    static std::mutex mutex;
    return mutex;
}

ScopedLogCapture::Sink& capturedSink() {
    static ScopedLogCapture::Sink sink;
    return sink;
}

}  // namespace

void logLine(std::string_view line) {
    const std::lock_guard lock(logMutex());
    if (auto& sink = capturedSink()) {
        sink(line);
        return;
    }
    std::string text(line);
    text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

ScopedLogCapture::ScopedLogCapture(Sink sink) {
    const std::lock_guard lock(logMutex());
    capturedSink() = std::move(sink);
}

ScopedLogCapture::~ScopedLogCapture() {
    const std::lock_guard lock(logMutex());
    capturedSink() = nullptr;
}

}  // namespace spinewise
