#include "settings/XdgBaseDirectories.hpp"

#include <cstdlib>

namespace spinewise {

XdgBaseDirectories XdgBaseDirectories::ofProcess() {
    return XdgBaseDirectories([](const char* name) -> std::optional<std::string> {
        if (const char* value = std::getenv(name)) return value;
        return std::nullopt;
    });
}

std::optional<std::filesystem::path> XdgBaseDirectories::dataHome() const {
    return resolve("XDG_DATA_HOME", ".local/share");
}

std::optional<std::filesystem::path> XdgBaseDirectories::configHome() const {
    return resolve("XDG_CONFIG_HOME", ".config");
}

std::optional<std::filesystem::path> XdgBaseDirectories::absolutePathIn(const char* variable) const {
    const auto value = lookup_(variable);
    if (!value || value->empty()) return std::nullopt;
    std::filesystem::path path(*value);
    if (!path.is_absolute()) return std::nullopt;
    return path;
}

std::optional<std::filesystem::path> XdgBaseDirectories::resolve(const char* variable,
                                                                 const char* defaultUnderHome) const {
    if (auto path = absolutePathIn(variable)) return path;
    if (auto home = absolutePathIn("HOME")) return *home / defaultUnderHome;
    return std::nullopt;
}

}  // namespace spinewise
