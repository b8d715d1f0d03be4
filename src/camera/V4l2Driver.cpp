#include "camera/V4l2Driver.hpp"

#include "camera/BgrFrame.hpp"

#include <opencv2/videoio.hpp>

#include <cerrno>
#include <chrono>
#include <thread>
#include <system_error>

namespace spinewise {
namespace {

std::string quoted(const VideoDevice& device) { return "\"" + device.name + "\""; }

CaptureError notConnected(const VideoDevice& device) {
    return CaptureError::make(CaptureErrorCode::deviceNotConnected,
                              "The camera " + quoted(device) + " is not connected.");
}

CaptureError claimFailure(int error, const V4l2DeviceTree::Node& node) {
    const auto& device = node.device;
    const auto where = " (" + node.path.string() + ")";
    switch (error) {
    case EBUSY:
        return CaptureError::make(CaptureErrorCode::deviceBusy,
                                  "The camera " + quoted(device) + where + " is in use by another program.");
    case EACCES:
    case EPERM:
        return CaptureError::make(CaptureErrorCode::accessDenied,
                                  "No permission to use the camera " + quoted(device) + where + ".");
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return notConnected(device);
    default:
        return CaptureError::make(CaptureErrorCode::cannotOpen, "Cannot open the camera " + quoted(device) + where +
                                                                    ": " + std::generic_category().message(error) + ".");
    }
}

class V4l2FrameReader final : public FrameReader {
public:
    explicit V4l2FrameReader(V4l2DeviceTree::Node node)
        : capture_(node.path.string(), cv::CAP_V4L2), node_(std::move(node)) {}

    bool isOpened() const { return capture_.isOpened(); }

    // The driver paces the reads; a read waits at most for one frame.
    FrameRead read(std::stop_token stop) override {
        cv::Mat frame;
        if (!capture_.read(frame) || frame.empty()) {
            if (nodeGoesAway(stop)) return DeviceGone{};
            if (stop.stop_requested()) return ReadInterrupted{};
            return CaptureError::make(CaptureErrorCode::readFailed,
                                      "The camera " + quoted(node_.device) + " stopped delivering pictures.");
        }
        if (auto bgr = asBgrFrame(frame)) return std::move(*bgr);
        return CaptureError::make(CaptureErrorCode::unsupportedFormat,
                                  "The camera " + quoted(node_.device) + " delivers pictures in an unsupported format.");
    }

private:
    /// Whether the node disappears within a moment: an unplugged camera fails
    /// its reads shortly before the kernel removes its node.
    bool nodeGoesAway(const std::stop_token& stop) const {
        for (int look = 0; look < kGraceLooks; ++look) {
            std::error_code error;
            if (!std::filesystem::exists(node_.path, error)) return true;
            if (stop.stop_requested()) return false;
            std::this_thread::sleep_for(kGracePause);
        }
        return false;
    }

    static constexpr int kGraceLooks = 10;
    static constexpr std::chrono::milliseconds kGracePause{50};

    cv::VideoCapture capture_;
    const V4l2DeviceTree::Node node_;
};

}  // namespace

V4l2Driver::V4l2Driver(std::filesystem::path root, std::shared_ptr<const V4l2NodeAccess> access)
    : tree_(std::move(root), std::move(access)) {}

std::vector<VideoDevice> V4l2Driver::devices() const {
    std::vector<VideoDevice> devices;
    for (auto& node : tree_.nodes()) devices.push_back(std::move(node.device));
    return devices;
}

std::optional<CaptureError> V4l2Driver::claim(const V4l2DeviceTree::Node& node) const {
    if (const int error = tree_.access().claimError(node.path); error != 0) return claimFailure(error, node);
    return std::nullopt;
}

std::optional<CaptureError> V4l2Driver::checkAvailable(const VideoDevice& device) const {
    const auto node = tree_.find(device.uniqueID);
    if (!node) return notConnected(device);
    return claim(*node);
}

OpenedReader V4l2Driver::open(const VideoDevice& device) const {
    // The node is looked up again: after a replug the same camera may have another number.
    auto node = tree_.find(device.uniqueID);
    if (!node) return notConnected(device);
    if (auto error = claim(*node)) return *error;
    auto reader = std::make_unique<V4l2FrameReader>(*node);
    if (!reader->isOpened())
        return CaptureError::make(CaptureErrorCode::cannotOpen, "Cannot open the camera " + quoted(node->device) +
                                                                    " (" + node->path.string() + ").");
    return reader;
}

}  // namespace spinewise
