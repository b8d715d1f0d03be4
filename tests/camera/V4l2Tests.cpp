#include "camera/DriverCaptureBackend.hpp"
#include "camera/V4l2DeviceTree.hpp"
#include "camera/V4l2Driver.hpp"
#include "CameraTestSupport.hpp"

#include <linux/videodev2.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <map>

namespace spinewise::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::uint32_t kCapture = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
constexpr std::uint32_t kMetadata = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;

/// Answers for the nodes of a made-up tree, by node name.
class FakeNodeAccess final : public V4l2NodeAccess {
public:
    std::optional<std::uint32_t> deviceCapabilities(const fs::path& node) const override {
        const std::lock_guard lock(mutex_);
        ++queries_[node.filename().string()];
        const auto found = capabilities_.find(node.filename().string());
        if (found == capabilities_.end()) return std::nullopt;
        return found->second;
    }
    int claimError(const fs::path& node) const override {
        const std::lock_guard lock(mutex_);
        const auto found = claimErrors_.find(node.filename().string());
        return found == claimErrors_.end() ? 0 : found->second;
    }
    int queries(const std::string& node) const {
        const std::lock_guard lock(mutex_);
        return queries_[node];
    }

    void setCapabilities(const std::string& node, std::uint32_t capabilities) {
        const std::lock_guard lock(mutex_);
        capabilities_[node] = capabilities;
    }
    void setClaimError(const std::string& node, int error) {
        const std::lock_guard lock(mutex_);
        claimErrors_[node] = error;
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, std::uint32_t> capabilities_;
    std::map<std::string, int> claimErrors_;
    mutable std::map<std::string, int> queries_;
};

/// A sysfs and /dev tree in a temporary folder.
class FakeDeviceTree {
public:
    const fs::path& root() const { return folder_.path(); }

    void addNode(const std::string& node, std::optional<std::string> sysfsName) {
        const auto sysfs = root() / "sys/class/video4linux" / node;
        fs::create_directories(sysfs);
        if (sysfsName) std::ofstream(sysfs / "name") << *sysfsName;
        fs::create_directories(root() / "dev");
        std::ofstream(root() / "dev" / node) << "";
    }
    void removeNode(const std::string& node) {
        fs::remove_all(root() / "sys/class/video4linux" / node);
        fs::remove(root() / "dev" / node);
    }
    /// A link in dev/v4l/<folder> ("by-id" or "by-path") to `target`, as udev makes it.
    void link(const std::string& folder, const std::string& name, const fs::path& target) {
        const auto links = root() / "dev/v4l" / folder;
        fs::create_directories(links);
        fs::remove(links / name);
        fs::create_symlink(target, links / name);
    }

private:
    TemporaryDirectory folder_;
};

std::vector<std::string> idsOf(const std::vector<VideoDevice>& devices) {
    std::vector<std::string> ids;
    for (const auto& device : devices) ids.push_back(device.uniqueID);
    return ids;
}

class V4l2Test : public ::testing::Test {
protected:
    V4l2Test() {
        tree.addNode("video0", "HD Webcam: HD Webcam\n");
        tree.link("by-id", "usb-Acme_HD_Webcam_0001-video-index0", "../../video0");
        tree.link("by-path", "pci-0000:00:14.0-usb-0:1:1.0-video-index0", "../../video0");
        access->setCapabilities("video0", kCapture);
    }

    FakeDeviceTree tree;
    std::shared_ptr<FakeNodeAccess> access = std::make_shared<FakeNodeAccess>();
};

TEST_F(V4l2Test, ListsCaptureNodesInNumberOrderNamedBySysfsAndIdentifiedByTheirStableLinks) {
    tree.addNode("video1", "HD Webcam: HD Webcam\n");
    tree.link("by-id", "usb-Acme_HD_Webcam_0001-video-index1", "../../video1");
    access->setCapabilities("video1", kMetadata);
    tree.addNode("video10", std::nullopt);
    access->setCapabilities("video10", kCapture);
    tree.addNode("video2", "  Integrated Camera \n");
    tree.link("by-path", "platform-vivid.0-video-index0", "/dev/video2");
    access->setCapabilities("video2", kCapture);
    tree.addNode("video3", "Not a V4L2 node");

    const V4l2Driver driver(tree.root(), access);
    EXPECT_THAT(driver.devices(),
                ElementsAre(VideoDevice{"usb-Acme_HD_Webcam_0001-video-index0", "HD Webcam: HD Webcam"},
                            VideoDevice{"platform-vivid.0-video-index0", "Integrated Camera"},
                            VideoDevice{"video10", "video10"}));

    driver.devices();
    EXPECT_EQ(access->queries("video0"), 1) << "a capture node is asked once, not at every look";
    EXPECT_EQ(access->queries("video3"), 2) << "a node that gave no answer is asked again";
}

TEST_F(V4l2Test, ADeviceKeepsItsIdentifierWhenItComesBackUnderAnotherNumber) {
    tree.removeNode("video0");
    tree.addNode("video4", "HD Webcam: HD Webcam\n");
    tree.link("by-id", "usb-Acme_HD_Webcam_0001-video-index0", "../../video4");
    access->setCapabilities("video4", kCapture);

    const V4l2DeviceTree devices(tree.root(), access);
    const auto node = devices.find("usb-Acme_HD_Webcam_0001-video-index0");
    ASSERT_TRUE(node);
    EXPECT_EQ(node->path, tree.root() / "dev/video4");
}

TEST(V4l2NodeCapabilities, AreTheNodesOwnWhenTheDriverReportsThem) {
    struct Case {
        std::uint32_t capabilities;
        std::uint32_t deviceCaps;
        std::uint32_t expected;
    };
    const std::vector<Case> cases{
        {V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE | V4L2_CAP_DEVICE_CAPS, kMetadata, kMetadata},
        {V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE | V4L2_CAP_DEVICE_CAPS, kCapture, kCapture},
        {V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING, 0, V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING},
    };
    for (const auto& c : cases) {
        v4l2_capability capability{};
        capability.capabilities = c.capabilities;
        capability.device_caps = c.deviceCaps;
        EXPECT_EQ(nodeCapabilities(capability), c.expected);
    }
}

TEST_F(V4l2Test, ADeviceThatCannotBeTakenIsAnErrorThatNamesIt) {
    const VideoDevice webcam{"usb-Acme_HD_Webcam_0001-video-index0", "HD Webcam: HD Webcam"};
    const auto node = (tree.root() / "dev/video0").string();
    struct Case {
        int claimError;
        CaptureErrorCode code;
        std::string description;
    };
    const std::vector<Case> cases{
        {EBUSY, CaptureErrorCode::deviceBusy,
         "The camera \"HD Webcam: HD Webcam\" (" + node + ") is in use by another program."},
        {EACCES, CaptureErrorCode::accessDenied,
         "No permission to use the camera \"HD Webcam: HD Webcam\" (" + node + ")."},
        {ENODEV, CaptureErrorCode::deviceNotConnected, "The camera \"HD Webcam: HD Webcam\" is not connected."},
        {EIO, CaptureErrorCode::cannotOpen,
         "Cannot open the camera \"HD Webcam: HD Webcam\" (" + node + "): Input/output error."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        access->setClaimError("video0", c.claimError);
        const V4l2Driver driver(tree.root(), access);
        const auto expected = CaptureError::make(c.code, c.description);
        EXPECT_EQ(driver.checkAvailable(webcam), expected);
        const auto opened = driver.open(webcam);
        ASSERT_TRUE(std::holds_alternative<CaptureError>(opened));
        EXPECT_EQ(std::get<CaptureError>(opened), expected);
    }
}

TEST_F(V4l2Test, ADeviceThatIsNotThereOrNoCameraCannotBeOpened) {
    const V4l2Driver driver(tree.root(), access);
    EXPECT_EQ(driver.checkAvailable({"usb-Gone-video-index0", "Gone"}),
              CaptureError::make(CaptureErrorCode::deviceNotConnected, "The camera \"Gone\" is not connected."));

    const VideoDevice webcam{"usb-Acme_HD_Webcam_0001-video-index0", "HD Webcam: HD Webcam"};
    EXPECT_EQ(driver.checkAvailable(webcam), std::nullopt);
    const auto opened = driver.open(webcam);
    ASSERT_TRUE(std::holds_alternative<CaptureError>(opened)) << "the fake node is a plain file";
    EXPECT_EQ(std::get<CaptureError>(opened).code, static_cast<int>(CaptureErrorCode::cannotOpen));
    EXPECT_THAT(std::get<CaptureError>(opened).description, HasSubstr("\"HD Webcam: HD Webcam\""));
}

TEST_F(V4l2Test, CamerasPluggedInAndOutAreSeenByTheSession) {
    DriverCaptureBackend backend({std::make_shared<V4l2Driver>(tree.root(), access)}, 0.01);
    EventLog events;
    backend.setEvents(&events);

    // The link comes first, so that the watcher never sees the node without it.
    access->setCapabilities("video2", kCapture);
    tree.link("by-id", "usb-Other_USB_Camera-video-index0", "../../video2");
    tree.addNode("video2", "USB Camera\n");
    ASSERT_TRUE(events.waitFor("connected: usb-Other_USB_Camera-video-index0"));
    EXPECT_THAT(idsOf(backend.devices()),
                ElementsAre("usb-Acme_HD_Webcam_0001-video-index0", "usb-Other_USB_Camera-video-index0"));

    tree.removeNode("video0");
    ASSERT_TRUE(events.waitFor("disconnected: usb-Acme_HD_Webcam_0001-video-index0"));
    EXPECT_THAT(events.events(), ElementsAre("connected: usb-Other_USB_Camera-video-index0",
                                             "disconnected: usb-Acme_HD_Webcam_0001-video-index0"));
    EXPECT_EQ(backend.defaultDevice(), (VideoDevice{"usb-Other_USB_Camera-video-index0", "USB Camera"}));
}

}  // namespace
}  // namespace spinewise::testing
