#include "camera/DriverCaptureBackend.hpp"
#include "camera/ReplayDriver.hpp"
#include "camera/VideoDataOutput.hpp"
#include "CameraTestSupport.hpp"
#include "ReplayFixtures.hpp"
#include "foundation/SerialQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace spinewise::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Moment = std::chrono::steady_clock::time_point;

double secondsBetween(Moment from, Moment to) { return std::chrono::duration<double>(to - from).count(); }

/// A session over replay drivers whose frames are recorded as they arrive on the frame queue.
class ReplayTest : public ::testing::Test {
protected:
    struct Delivered {
        int number;
        Moment at;
    };

    ~ReplayTest() override {
        backend.reset();
        frameQueue.sync([] {});
    }

    void makeBackend(std::vector<std::shared_ptr<const CaptureDriver>> drivers) {
        backend = std::make_unique<DriverCaptureBackend>(std::move(drivers), 0.01);
        backend->setEvents(&events);
        ASSERT_TRUE(backend->addOutput(output));
    }
    /// A session over one replay driver of `paths`, with the first path as input.
    void play(const std::vector<fs::path>& paths) {
        driver = std::make_shared<ReplayDriver>(paths);
        makeBackend({driver});
        ASSERT_TRUE(std::holds_alternative<InputAttached>(backend->attachInput(driver->devices().front())));
    }

    std::vector<Delivered> delivered() const {
        const std::lock_guard lock(mutex);
        return delivered_;
    }
    std::vector<int> numbers() const {
        std::vector<int> numbers;
        for (const auto& frame : delivered()) numbers.push_back(frame.number);
        return numbers;
    }
    bool waitForFrames(std::size_t count) {
        return eventually([&] { return delivered().size() >= count; });
    }

    TemporaryDirectory folder;
    SerialQueue frameQueue{"test.replay"};
    /// Called on the frame queue with each frame's number, after it is recorded.
    std::function<void(int)> afterFrame = [](int) {};
    mutable std::mutex mutex;
    std::vector<Delivered> delivered_;
    std::shared_ptr<VideoDataOutput> output = VideoDataOutput::make(frameQueue, [this](const cv::Mat& frame, Rect) {
        const int number = frameNumber(frame);
        {
            const std::lock_guard lock(mutex);
            delivered_.push_back({number, std::chrono::steady_clock::now()});
        }
        afterFrame(number);
    });
    EventLog events;
    std::shared_ptr<ReplayDriver> driver;
    std::unique_ptr<DriverCaptureBackend> backend;
};

TEST_F(ReplayTest, AnImageFolderLoopsInNameOrderAtTenFramesASecond) {
    play({writeImageFolder(folder.path() / "frames", 3)});
    backend->startRunning();

    ASSERT_TRUE(waitForFrames(8));
    backend->stopRunning();
    const auto frames = delivered();
    for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(frames[i].number, static_cast<int>(i % 3)) << "frame " << i;
    EXPECT_NEAR(secondsBetween(frames[1].at, frames[7].at), 0.6, 0.15);
    EXPECT_THAT(events.events(), ElementsAre("start", "stop"));
}

TEST_F(ReplayTest, AVideoLoopsAtItsOwnFrameRate) {
    play({writeVideo(folder.path() / "clip.avi", 5, 25)});
    backend->startRunning();

    ASSERT_TRUE(waitForFrames(12));
    const auto frames = delivered();
    for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(frames[i].number, static_cast<int>(i % 5)) << "frame " << i;
    EXPECT_NEAR(secondsBetween(frames[1].at, frames[11].at), 0.4, 0.12);
}

TEST_F(ReplayTest, AReceiverThatTakesLongGetsTheFrameCapturedLastNotABacklog) {
    play({writeVideo(folder.path() / "long.avi", 120, 50)});
    afterFrame = [](int number) {
        if (number == 0) std::this_thread::sleep_for(std::chrono::milliseconds(300));
    };
    backend->startRunning();

    ASSERT_TRUE(waitForFrames(3));
    const auto got = numbers();
    // 300 ms at 50 frames a second: about 15 frames were captured meanwhile, one is delivered.
    EXPECT_GE(got[1], 10);
    EXPECT_LE(got[2] - got[1], 2) << "after the slow frame, delivery keeps up again";
}

TEST_F(ReplayTest, AnUnpluggedDeviceLeavesTheListAndItsCaptureEndsQuietly) {
    const auto first = writeImageFolder(folder.path() / "first", 2);
    const auto second = writeImageFolder(folder.path() / "second", 2);
    play({first, second});
    backend->startRunning();
    ASSERT_TRUE(waitForFrames(1));

    driver->unplug(replayID(first));
    ASSERT_TRUE(events.waitFor("disconnected: " + replayID(first)));
    EXPECT_EQ(backend->devices(), (std::vector{VideoDevice{replayID(second), "second"}}));
    EXPECT_TRUE(backend->isRunning());
    const auto framesAfterUnplug = delivered().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_LE(delivered().size(), framesAfterUnplug + 1);

    driver->plugIn(replayID(first));
    ASSERT_TRUE(events.waitFor("connected: " + replayID(first)));
    EXPECT_THAT(events.events(), ElementsAre("start", "disconnected: " + replayID(first), "connected: " + replayID(first)));
}

TEST_F(ReplayTest, AFailingDeviceIsARuntimeErrorAfterWhichTheSessionStopsUntilStartedAgain) {
    const auto frames = writeImageFolder(folder.path() / "frames", 2);
    play({frames});
    backend->startRunning();
    ASSERT_TRUE(waitForFrames(1));

    driver->fail(replayID(frames), "The replayed camera broke.");
    ASSERT_TRUE(events.waitFor("stop"));
    EXPECT_THAT(events.events(), ElementsAre("start", "error: The replayed camera broke.", "stop"));
    EXPECT_FALSE(backend->isRunning());

    const auto before = delivered().size();
    backend->startRunning();
    EXPECT_TRUE(waitForFrames(before + 2));
}

TEST_F(ReplayTest, ClipsThatCannotPlayAreRuntimeErrorsWhenTheSessionStarts) {
    const auto empty = folder.path() / "empty";
    fs::create_directories(empty);
    const auto notAVideo = folder.path() / "notes.avi";
    std::ofstream(notAVideo) << "not a video";
    struct Case {
        fs::path path;
        std::string error;
    };
    const std::vector<Case> cases{
        {empty, "error: The folder \"" + empty.string() + "\" holds no images."},
        {notAVideo, "error: Cannot play the replay file \"" + notAVideo.string() + "\"."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EventLog log;
        DriverCaptureBackend session({std::make_shared<ReplayDriver>(std::vector{c.path})}, 0.01);
        session.setEvents(&log);
        session.addOutput(output);
        ASSERT_TRUE(std::holds_alternative<InputAttached>(session.attachInput({replayID(c.path), ""})));
        session.startRunning();
        ASSERT_TRUE(log.waitFor("stop"));
        EXPECT_THAT(log.events(), ElementsAre("start", c.error, "stop"));
    }
}

TEST_F(ReplayTest, AttachingFailsForAMissingFileAnUnpluggedDeviceOrASecondInput) {
    const auto frames = writeImageFolder(folder.path() / "frames", 1);
    const auto missing = folder.path() / "missing.avi";
    play({frames, missing});

    EXPECT_TRUE(std::holds_alternative<InputRefused>(backend->attachInput({replayID(frames), "frames"})));
    backend->detachInput();
    EXPECT_EQ(std::get<CaptureError>(backend->attachInput({replayID(missing), "missing.avi"})),
              CaptureError::make(CaptureErrorCode::deviceNotConnected,
                                 "The replay file \"" + missing.string() + "\" does not exist."));
    driver->unplug(replayID(frames));
    EXPECT_EQ(std::get<CaptureError>(backend->attachInput({replayID(frames), "frames"})),
              CaptureError::make(CaptureErrorCode::deviceNotConnected, "The camera \"frames\" is not connected."));
}

TEST_F(ReplayTest, TheSessionListsTheDevicesOfEveryDriverTheFirstDriversFirst) {
    const auto a = writeImageFolder(folder.path() / "a", 1);
    const auto b = writeImageFolder(folder.path() / "b", 1);
    const auto c = writeImageFolder(folder.path() / "c", 1);
    const auto firstDriver = std::make_shared<ReplayDriver>(std::vector{a});
    const auto secondDriver = std::make_shared<ReplayDriver>(std::vector{b, c});
    makeBackend({firstDriver, secondDriver});

    EXPECT_EQ(backend->devices(), (std::vector{VideoDevice{replayID(a), "a"}, VideoDevice{replayID(b), "b"},
                                               VideoDevice{replayID(c), "c"}}));
    EXPECT_EQ(backend->defaultDevice(), (VideoDevice{replayID(a), "a"}));
    firstDriver->unplug(replayID(a));
    EXPECT_EQ(backend->defaultDevice(), (VideoDevice{replayID(b), "b"}));

    ASSERT_TRUE(std::holds_alternative<InputAttached>(backend->attachInput({replayID(c), "c"})));
    backend->startRunning();
    EXPECT_TRUE(waitForFrames(1));
}

TEST(ReplayDriverEnvironment, ListsThePathsSeparatedByColonsOnceEach) {
    const auto workingFolder = fs::current_path();
    ::setenv("SPINEWISE_REPLAY_DEVICES", "/clips/desk.mp4::relative/frames/:/clips/desk.mp4", 1);
    const auto listed = ReplayDriver::fromEnvironment()->devices();
    ::unsetenv("SPINEWISE_REPLAY_DEVICES");

    EXPECT_THAT(listed, ElementsAre(VideoDevice{"replay:/clips/desk.mp4", "desk.mp4"},
                                    VideoDevice{"replay:" + (workingFolder / "relative/frames").string(), "frames"}));
    EXPECT_THAT(ReplayDriver::fromEnvironment()->devices(), IsEmpty());
}

}  // namespace
}  // namespace spinewise::testing
