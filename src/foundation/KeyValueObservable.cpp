#include "foundation/KeyValueObservable.hpp"

#include "foundation/Fatal.hpp"

namespace spinewise {

void KeyValueObservable::willChangeValue(std::string_view keyPath) {
    const std::lock_guard lock(pendingMutex_);
    ++pendingChanges_[std::string(keyPath)];
}

void KeyValueObservable::didChangeValue(std::string_view keyPath) {
    {
        const std::lock_guard lock(pendingMutex_);
        const auto pending = pendingChanges_.find(keyPath);
        if (pending == pendingChanges_.end())
            fatalError("didChangeValue for \"" + std::string(keyPath) + "\" without willChangeValue");
        if (--pending->second == 0) pendingChanges_.erase(pending);
    }
    observers_.notify(keyPath);
}

}  // namespace spinewise
