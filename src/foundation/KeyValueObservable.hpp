#pragma once

#include "foundation/ObserverRegistry.hpp"

#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace spinewise {

/// Key-value observation: observers register for a key path and are called
/// synchronously, on the changing thread, when a change of that key completes.
/// Every change is bracketed by willChangeValue / didChangeValue; a did-change
/// without its will-change is a programming error.
class KeyValueObservable {
public:
    [[nodiscard]] ObservationToken observe(std::string keyPath, ObserverRegistry::Callback callback) {
        return observers_.add(std::move(keyPath), std::move(callback));
    }

    void willChangeValue(std::string_view keyPath);
    void didChangeValue(std::string_view keyPath);

protected:
    KeyValueObservable() = default;
    ~KeyValueObservable() = default;

private:
    ObserverRegistry observers_;
    std::mutex pendingMutex_;
    std::map<std::string, int, std::less<>> pendingChanges_;
};

}  // namespace spinewise
