#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace spinewise {

/// The user's base directories after the XDG Base Directory rules: a variable
/// that is unset, empty or not an absolute path is ignored in favour of its
/// default under $HOME.
class XdgBaseDirectories {
public:
    /// The value of one environment variable, or nothing when it is unset.
    using VariableLookup = std::function<std::optional<std::string>(const char* name)>;

    explicit XdgBaseDirectories(VariableLookup lookup) : lookup_(std::move(lookup)) {}
    /// The directories of the running process's environment.
    static XdgBaseDirectories ofProcess();

    /// $XDG_DATA_HOME, else $HOME/.local/share; nothing when neither is usable.
    std::optional<std::filesystem::path> dataHome() const;
    /// $XDG_CONFIG_HOME, else $HOME/.config; nothing when neither is usable.
    std::optional<std::filesystem::path> configHome() const;

private:
    std::optional<std::filesystem::path> absolutePathIn(const char* variable) const;
    std::optional<std::filesystem::path> resolve(const char* variable, const char* defaultUnderHome) const;

    VariableLookup lookup_;
};

}  // namespace spinewise
