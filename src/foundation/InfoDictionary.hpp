#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace spinewise {

/// The program's information dictionary: text values under fixed keys
/// (version, source revision, copyright, name, identifier).
class InfoDictionary {
public:
    using Values = std::map<std::string, std::string, std::less<>>;

    explicit InfoDictionary(Values values) : values_(std::move(values)) {}

    /// The running program's dictionary, fixed when it was built.
    static const InfoDictionary& main();

    /// The value under `key`, or nothing when the dictionary has no such key.
    std::optional<std::string> string(std::string_view key) const;

private:
    Values values_;
};

}  // namespace spinewise
