#include "camera/V4l2NodeAccess.hpp"

#include <cerrno>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace spinewise {
namespace {

/// An open device node, closed when it goes.
class NodeHandle {
public:
    explicit NodeHandle(const std::filesystem::path& node)
        : fd_(::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)), openError_(fd_ < 0 ? errno : 0) {}
    ~NodeHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    NodeHandle(const NodeHandle&) = delete;
    NodeHandle& operator=(const NodeHandle&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int openError() const { return openError_; }

    /// ioctl(2), tried again when a signal interrupts it; 0 or the errno.
    int control(unsigned long request, void* argument) const {
        int result;
        do {
            result = ::ioctl(fd_, request, argument);
        } while (result < 0 && errno == EINTR);
        return result < 0 ? errno : 0;
    }

private:
    int fd_;
    int openError_;
};

}  // namespace

std::uint32_t nodeCapabilities(const v4l2_capability& capability) {
    return (capability.capabilities & V4L2_CAP_DEVICE_CAPS) != 0 ? capability.device_caps : capability.capabilities;
}

std::optional<std::uint32_t> KernelV4l2NodeAccess::deviceCapabilities(const std::filesystem::path& node) const {
    const NodeHandle handle(node);
    if (!handle.isOpen()) return std::nullopt;
    v4l2_capability capability{};
    if (handle.control(VIDIOC_QUERYCAP, &capability) != 0) return std::nullopt;
    return nodeCapabilities(capability);
}

int KernelV4l2NodeAccess::claimError(const std::filesystem::path& node) const {
    const NodeHandle handle(node);
    if (!handle.isOpen()) return handle.openError();
    // Asking for no buffers allocates nothing, but the driver refuses with
    // EBUSY while another file handle owns the capture queue.
    v4l2_requestbuffers request{};
    request.count = 0;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    const int error = handle.control(VIDIOC_REQBUFS, &request);
    // Other refusals (no memory-mapped streaming, say) are left to the open that follows.
    return error == EBUSY ? EBUSY : 0;
}

}  // namespace spinewise
