#include "monitoring/AsynchronousOperation.hpp"

namespace spinewise {

void AsynchronousOperation::start() {
    if (isExecuting() || isFinished()) return;
    if (isCancelled()) {
        finish();
        return;
    }
    setFlag("isExecuting", executing_, true);
    begin();
}

void AsynchronousOperation::finish() {
    if (isFinished()) return;
    setFlag("isExecuting", executing_, false);
    setFlag("isFinished", finished_, true);
}

void AsynchronousOperation::setFlag(std::string_view keyPath, std::atomic<bool>& flag, bool value) {
    willChangeValue(keyPath);
    flag.store(value);
    didChangeValue(keyPath);
}

}  // namespace spinewise
