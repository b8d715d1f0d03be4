#include "settings/FileSystem.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace spinewise {
namespace {

std::system_error systemError(const std::string& what) {
    return {errno, std::generic_category(), what};
}

/// Closes a file descriptor when it goes out of scope, unless closed explicitly.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    /// Closes now; false (with errno set) when closing reports an error.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            throw systemError("");
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

/// Makes a rename inside `directory` durable; a failure only weakens durability.
void syncDirectory(const std::filesystem::path& directory) {
    const FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

std::string readFileContents(const std::filesystem::path& path) {
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw systemError("Cannot read " + path.string());
    std::string contents;
    char buffer[65536];
    for (;;) {
        const auto count = ::read(fd.get(), buffer, sizeof buffer);
        if (count == 0) return contents;
        if (count < 0) {
            if (errno == EINTR) continue;
            throw systemError("Cannot read " + path.string());
        }
        contents.append(buffer, static_cast<std::size_t>(count));
    }
}

bool isMissingFile(const std::system_error& error) {
    return error.code() == std::errc::no_such_file_or_directory || error.code() == std::errc::not_a_directory;
}

void replaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    std::string temporary = path.string() + ".tmp-XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0) throw systemError("Cannot write " + path.string());
    try {
        writeAll(fd.get(), bytes);
        if (::fsync(fd.get()) != 0 || !fd.close()) throw systemError("");
        if (std::rename(temporary.c_str(), path.c_str()) != 0) throw systemError("");
    } catch (const std::system_error& error) {
        ::unlink(temporary.c_str());
        throw std::system_error(error.code(), "Cannot write " + path.string());
    }
    syncDirectory(path.parent_path());
}

std::error_code createPrivateDirectories(const std::filesystem::path& directory) {
    std::filesystem::path partial;
    for (const auto& component : directory) {
        partial /= component;
        if (::mkdir(partial.c_str(), 0700) == 0) continue;
        if (errno != EEXIST) return {errno, std::generic_category()};
        struct stat info {};
        if (::stat(partial.c_str(), &info) != 0) return {errno, std::generic_category()};
        if (!S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::not_a_directory);
    }
    return {};
}

}  // namespace spinewise
