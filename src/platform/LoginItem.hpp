#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace spinewise {

/// Why the login item could not be switched: the item's identifier as domain,
/// code 500, "Failed to enable login item." or "Failed to disable login
/// item." as description, and the system's reason.
struct LoginItemError {
    std::string domain;
    int code = 0;
    std::string description;
    std::string reason;
};

/// The login item: an XDG autostart entry, "<identifier>.desktop" in the
/// user's autostart folder, that runs the launcher at login. Enabling writes
/// the entry atomically; disabling removes it (a missing entry is fine).
class LoginItem {
public:
    /// The launcher's identifier, which names the entry.
    static constexpr std::string_view kLauncherIdentifier = "com.brightfold.spinewise-launcher";
    static constexpr int kFailureCode = 500;

    /// `autostartDirectory` is none when the user's folder cannot be determined;
    /// `launcher` is the absolute path the entry runs.
    LoginItem(std::string bundleIdentifier, std::optional<std::filesystem::path> autostartDirectory,
              std::filesystem::path launcher);

    /// The running program's login item: the launcher installed beside this
    /// executable, in $XDG_CONFIG_HOME/autostart (default ~/.config/autostart).
    static LoginItem forProgram();

    const std::string& bundleIdentifier() const { return bundleIdentifier_; }
    /// Where the entry lives; none when the autostart folder is unknown.
    std::optional<std::filesystem::path> entryPath() const;

    /// Writes or removes the entry; an error when that failed.
    [[nodiscard]] std::optional<LoginItemError> setEnabled(bool enabled) const;

    /// The entry's text: an application that runs `launcher`, quoted as the
    /// Desktop Entry rules ask for.
    static std::string desktopEntry(const std::filesystem::path& launcher);

private:
    std::optional<std::string> writeEntry() const;
    std::optional<std::string> removeEntry() const;

    std::string bundleIdentifier_;
    std::optional<std::filesystem::path> autostartDirectory_;
    std::filesystem::path launcher_;
};

/// Installed layout, mirrored by the build tree: the program is
/// <prefix>/bin/spinewise and the launcher
/// <prefix>/libexec/spinewise/spinewise-launcher. The launcher's path for a program's path.
std::filesystem::path launcherPathForProgram(const std::filesystem::path& program);

}  // namespace spinewise
