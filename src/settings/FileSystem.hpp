#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace spinewise {

/// The whole content of a file. Throws std::system_error, whose description
/// names the path and the cause.
std::string readFileContents(const std::filesystem::path& path);

/// Whether an error of readFileContents means that there is no such file.
bool isMissingFile(const std::system_error& error);

/// Replaces a file's content so that the file holds either its old or its new
/// bytes whatever happens: the bytes go to a temporary file beside it, are
/// flushed to the disk and renamed over it. A failure throws std::system_error
/// (description names the path and the cause), removes the temporary file and
/// leaves the old file as it was.
void replaceFileContents(const std::filesystem::path& path, std::string_view bytes);

/// Creates a directory and every missing parent with mode 0700, as the XDG
/// rules ask of the directories a program makes; existing ones stay as they are.
std::error_code createPrivateDirectories(const std::filesystem::path& directory);

}  // namespace spinewise
