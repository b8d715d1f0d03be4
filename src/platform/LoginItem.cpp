#include "platform/LoginItem.hpp"

#include "settings/FileSystem.hpp"
#include "settings/XdgBaseDirectories.hpp"

#include <string_view>
#include <system_error>

namespace spinewise {
namespace {

constexpr const char* kUnknownConfigurationFolder =
    "the user's configuration folder is unknown (neither XDG_CONFIG_HOME nor HOME is usable)";

/// Characters for which an Exec argument must be quoted.
constexpr std::string_view kReservedCharacters = " \t\n\"'\\><~|&;$*?#()`";

/// One Exec argument: quoted when it holds a reserved character, with ", `, $
/// and \ escaped inside the quotes; "%" doubled, as field codes start with it.
std::string execArgument(std::string_view argument) {
    const bool quote = argument.find_first_of(kReservedCharacters) != std::string_view::npos;
    std::string text;
    for (const char c : argument) {
        if (c == '%') {
            text += "%%";
        } else if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) {
            text += '\\';
            text += c;
        } else {
            text += c;
        }
    }
    return quote ? '"' + text + '"' : text;
}

/// A string value of a desktop entry: backslashes doubled, control characters escaped.
std::string entryValue(std::string_view value) {
    std::string text;
    for (const char c : value) {
        switch (c) {
            case '\\': text += "\\\\"; break;
            case '\n': text += "\\n"; break;
            case '\t': text += "\\t"; break;
            case '\r': text += "\\r"; break;
            default: text += c;
        }
    }
    return text;
}

}  // namespace

LoginItem::LoginItem(std::string bundleIdentifier, std::optional<std::filesystem::path> autostartDirectory,
                     std::filesystem::path launcher)
    : bundleIdentifier_(std::move(bundleIdentifier)),
      autostartDirectory_(std::move(autostartDirectory)),
      launcher_(std::move(launcher)) {}

LoginItem LoginItem::forProgram() {
    std::optional<std::filesystem::path> autostart;
    if (const auto configHome = XdgBaseDirectories::ofProcess().configHome()) autostart = *configHome / "autostart";
    std::error_code ignored;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", ignored);
    return LoginItem(std::string(kLauncherIdentifier), std::move(autostart), launcherPathForProgram(program));
}

std::optional<std::filesystem::path> LoginItem::entryPath() const {
    if (!autostartDirectory_) return std::nullopt;
    return *autostartDirectory_ / (bundleIdentifier_ + ".desktop");
}

std::optional<LoginItemError> LoginItem::setEnabled(bool enabled) const {
    const auto failure = enabled ? writeEntry() : removeEntry();
    if (!failure) return std::nullopt;
    return LoginItemError{bundleIdentifier_, kFailureCode,
                          std::string("Failed to ") + (enabled ? "enable" : "disable") + " login item.", *failure};
}

std::string LoginItem::desktopEntry(const std::filesystem::path& launcher) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Spinewise Launcher\n"
           "Comment=Starts Spinewise at login unless it already runs\n"
           "Exec=" +
           entryValue(execArgument(launcher.string())) +
           "\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::string> LoginItem::writeEntry() const {
    const auto path = entryPath();
    if (!path) return kUnknownConfigurationFolder;
    if (!launcher_.is_absolute()) return "the launcher's path is unknown";
    if (const auto error = createPrivateDirectories(*autostartDirectory_))
        return autostartDirectory_->string() + ": " + error.message();
    try {
        replaceFileContents(*path, desktopEntry(launcher_));
    } catch (const std::system_error& error) {
        return error.what();
    }
    return std::nullopt;
}

std::optional<std::string> LoginItem::removeEntry() const {
    const auto path = entryPath();
    if (!path) return kUnknownConfigurationFolder;
    std::error_code error;
    std::filesystem::remove(*path, error);
    if (error && error != std::errc::no_such_file_or_directory) return path->string() + ": " + error.message();
    return std::nullopt;
}

std::filesystem::path launcherPathForProgram(const std::filesystem::path& program) {
    if (program.empty()) return {};
    return program.parent_path().parent_path() / "libexec" / "spinewise" / "spinewise-launcher";
}

}  // namespace spinewise
