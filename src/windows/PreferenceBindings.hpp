#pragma once

#include "foundation/ObserverRegistry.hpp"

#include <functional>
#include <string_view>
#include <vector>

namespace spinewise {

class Preferences;

/// Keeps controls in step with settings: each refresh runs at once and again
/// whenever its setting is set. Refreshes stop when the bindings go.
class PreferenceBindings {
public:
    explicit PreferenceBindings(Preferences& preferences) : preferences_(preferences) {}

    void follow(std::string_view keyPath, const std::function<void()>& refresh);

private:
    Preferences& preferences_;
    std::vector<ObservationToken> observations_;
};

}  // namespace spinewise
