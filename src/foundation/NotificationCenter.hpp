#pragma once

#include "foundation/ObserverRegistry.hpp"

#include <string>
#include <string_view>

namespace spinewise {

/// Program-wide named events without sender or payload, delivered synchronously
/// on the posting thread to every observer of the name.
class NotificationCenter {
public:
    static NotificationCenter& defaultCenter();

    [[nodiscard]] ObservationToken addObserver(std::string name, ObserverRegistry::Callback callback) {
        return observers_.add(std::move(name), std::move(callback));
    }
    void post(std::string_view name) const { observers_.notify(name); }

private:
    ObserverRegistry observers_;
};

}  // namespace spinewise
