#include "foundation/InfoDictionary.hpp"

namespace spinewise {

std::optional<std::string> InfoDictionary::string(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

}  // namespace spinewise
