#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace spinewise {

/// The program's resource folder. Programs live in <prefix>/bin and their
/// resources in <prefix>/share/spinewise, in the build tree and when installed.
class ResourceBundle {
public:
    explicit ResourceBundle(std::filesystem::path root) : root_(std::move(root)) {}

    /// The bundle beside the running executable.
    static const ResourceBundle& main();

    const std::filesystem::path& root() const { return root_; }

    /// The path of an existing resource (a path relative to the root), or nothing.
    std::optional<std::filesystem::path> pathForResource(std::string_view relativePath) const;

    /// Like pathForResource, but a missing resource is an installation fault
    /// that stops the program with a message naming the file.
    std::filesystem::path requiredResource(std::string_view relativePath) const;

private:
    std::filesystem::path root_;
};

}  // namespace spinewise
