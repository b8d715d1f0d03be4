#include "foundation/ResourceBundle.hpp"

#include "foundation/Fatal.hpp"

#include <system_error>

namespace spinewise {

const ResourceBundle& ResourceBundle::main() {
    static const ResourceBundle bundle = [] {
        std::error_code error;
        const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
        if (error) fatalError("Cannot locate the running executable: " + error.message());
        return ResourceBundle(executable.parent_path().parent_path() / "share" / "spinewise");
    }();
    return bundle;
}

std::optional<std::filesystem::path> ResourceBundle::pathForResource(std::string_view relativePath) const {
    auto path = root_ / relativePath;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    return path;
}

std::filesystem::path ResourceBundle::requiredResource(std::string_view relativePath) const {
    if (auto path = pathForResource(relativePath)) return *path;
    fatalError("Missing resource: " + (root_ / relativePath).string());
}

}  // namespace spinewise
