#include "camera/BgrFrame.hpp"
#include "camera/VideoDataOutput.hpp"
#include "CameraTestSupport.hpp"
#include "foundation/SerialQueue.hpp"
#include "foundation/VirtualMainQueue.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <future>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(VideoDataOutput, FramesOfferedBeforeTheQueueGetsToThemCollapseIntoTheNewest) {
    VirtualMainQueue queue;
    std::vector<int> delivered;
    std::vector<Rect> apertures;
    const auto output = VideoDataOutput::make(queue, [&](const cv::Mat& frame, Rect cleanAperture) {
        delivered.push_back(frameNumber(frame));
        apertures.push_back(cleanAperture);
    });

    for (int number = 1; number <= 4; ++number) output->offer(numberedFrame(number, {200, 100}));
    EXPECT_EQ(queue.pendingTaskCount(), 1u);
    queue.runPending();
    output->offer(numberedFrame(5, {200, 100}));
    queue.runPending();

    EXPECT_THAT(delivered, ElementsAre(4, 5));
    EXPECT_THAT(apertures, ElementsAre(Rect{0, 0, 200, 100}, Rect{0, 0, 200, 100}));
}

TEST(VideoDataOutput, AHandlerStillBusyGetsTheFrameCapturedLastWhenItIsDone) {
    SerialQueue queue("test.frames");
    std::promise<void> entered;
    std::promise<void> release;
    std::mutex mutex;
    std::vector<int> delivered;
    const auto output = VideoDataOutput::make(queue, [&](const cv::Mat& frame, Rect) {
        const int number = frameNumber(frame);
        {
            const std::lock_guard lock(mutex);
            delivered.push_back(number);
        }
        if (number == 0) {
            entered.set_value();
            release.get_future().wait();
        }
    });

    output->offer(numberedFrame(0));
    entered.get_future().wait();
    for (int number = 1; number <= 6; ++number) output->offer(numberedFrame(number));
    release.set_value();
    queue.sync([] {});

    const std::lock_guard lock(mutex);
    EXPECT_THAT(delivered, ElementsAre(0, 6));
}

TEST(VideoDataOutput, NothingIsDeliveredOnceTheOutputIsGone) {
    VirtualMainQueue queue;
    int deliveries = 0;
    auto output = VideoDataOutput::make(queue, [&](const cv::Mat&, Rect) { ++deliveries; });
    output->offer(numberedFrame(1));
    output.reset();
    queue.runPending();
    EXPECT_EQ(deliveries, 0);
}

TEST(BgrFrame, GreyAndBgraBecomeBgrAndOtherLayoutsAreRefused) {
    const cv::Mat grey(2, 3, CV_8UC1, cv::Scalar(90));
    const cv::Mat bgra(2, 3, CV_8UC4, cv::Scalar(10, 20, 30, 255));
    const cv::Mat bgr(2, 3, CV_8UC3, cv::Scalar(10, 20, 30));

    const auto fromGrey = asBgrFrame(grey);
    ASSERT_TRUE(fromGrey);
    EXPECT_EQ(fromGrey->type(), CV_8UC3);
    EXPECT_EQ(fromGrey->at<cv::Vec3b>(1, 2), cv::Vec3b(90, 90, 90));

    const auto fromBgra = asBgrFrame(bgra);
    ASSERT_TRUE(fromBgra);
    EXPECT_EQ(fromBgra->type(), CV_8UC3);
    EXPECT_EQ(fromBgra->at<cv::Vec3b>(0, 0), cv::Vec3b(10, 20, 30));

    const auto same = asBgrFrame(bgr);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->data, bgr.data);

    EXPECT_FALSE(asBgrFrame(cv::Mat()));
    EXPECT_FALSE(asBgrFrame(cv::Mat(2, 3, CV_16UC3)));
    EXPECT_FALSE(asBgrFrame(cv::Mat(2, 3, CV_8UC2)));
}

}  // namespace
}  // namespace spinewise::testing
