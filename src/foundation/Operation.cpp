#include "foundation/Operation.hpp"

#include <algorithm>

namespace spinewise {

void Operation::start() {
    if (!isCancelled()) {
        setFlag("isExecuting", executing_, true);
        main();
        setFlag("isExecuting", executing_, false);
    }
    setFlag("isFinished", finished_, true);
}

void Operation::cancel() {
    if (isCancelled()) return;
    setFlag("isCancelled", cancelled_, true);
}

void Operation::addDependency(std::shared_ptr<Operation> dependency) {
    const std::lock_guard lock(dependenciesMutex_);
    dependencies_.push_back(std::move(dependency));
}

std::vector<std::shared_ptr<Operation>> Operation::dependencies() const {
    const std::lock_guard lock(dependenciesMutex_);
    return dependencies_;
}

bool Operation::isReady() const {
    if (isCancelled()) return true;
    const auto pending = dependencies();
    return std::ranges::all_of(pending, [](const auto& dependency) { return dependency->isFinished(); });
}

void Operation::setFlag(const char* keyPath, std::atomic<bool>& flag, bool value) {
    willChangeValue(keyPath);
    flag.store(value);
    didChangeValue(keyPath);
}

}  // namespace spinewise
