#include "windows/PreferenceBindings.hpp"

#include "settings/Preferences.hpp"

#include <string>

namespace spinewise {

void PreferenceBindings::follow(std::string_view keyPath, const std::function<void()>& refresh) {
    observations_.push_back(preferences_.observe(std::string(keyPath), refresh));
    refresh();
}

}  // namespace spinewise
