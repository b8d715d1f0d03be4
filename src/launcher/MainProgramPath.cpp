#include "launcher/MainProgramPath.hpp"

#include <iterator>
#include <vector>

namespace spinewise {

std::optional<std::filesystem::path> mainProgramPath(const std::filesystem::path& launcher) {
    constexpr std::ptrdiff_t kComponentsBelowPrefix = 3;  // libexec, spinewise, spinewise-launcher
    const std::vector<std::filesystem::path> components(launcher.begin(), launcher.end());
    if (std::ssize(components) < kComponentsBelowPrefix + 1) return std::nullopt;
    std::filesystem::path program;
    for (auto component = components.begin(); component != components.end() - kComponentsBelowPrefix; ++component)
        program /= *component;
    return program / "bin" / "spinewise";
}

}  // namespace spinewise
