#include "monitoring/Throttle.hpp"

#include "foundation/RunLoopQueue.hpp"
#include "foundation/VirtualMainQueue.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace spinewise {
namespace {

using Monotonic = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

TEST(Throttle, BlockRunsOnTheQueueExactlyTheDelayAfterItWasTakenUpAndTheCallerWaitsForIt) {
    VirtualMainQueue main(1000);
    OperationQueue operations{main};
    TimeInterval ranAt = 0;
    bool ranOnMain = false;
    std::atomic<bool> returned = false;
    bool returnedBeforeBlock = true;

    std::thread caller([&] {
        Throttle::throttle(
            operations, 0.25,
            [&] {
                ranAt = main.clock().now();
                ranOnMain = main.isCurrent();
                returnedBeforeBlock = returned;
            },
            main);
        returned = true;
    });
    while (main.pendingTaskCount() == 0) std::this_thread::yield();  // the delay step is queued

    main.advance(0.125);
    EXPECT_EQ(ranAt, 0);
    main.advance(0.125);
    caller.join();

    EXPECT_EQ(ranAt, 1000.25);
    EXPECT_TRUE(ranOnMain);
    EXPECT_FALSE(returnedBeforeBlock);
    EXPECT_EQ(operations.operationCount(), 0u);
}

TEST(Throttle, BlockRunsOnTheMainThreadNoEarlierThanTheDelayBeforeTheCallerReturns) {
    RunLoopQueue main;
    OperationQueue operations{main};
    constexpr TimeInterval kDelay = 0.05;
    double ranAfter = 0;
    bool ranOnMain = false;
    std::atomic<bool> ran = false;
    bool ranBeforeReturn = false;

    std::thread caller([&] {
        const auto begin = Monotonic::now();
        Throttle::throttle(operations, kDelay, [&] {
            ranAfter = Seconds(Monotonic::now() - begin).count();
            ranOnMain = main.isCurrent();
            ran = true;
        });
        ranBeforeReturn = ran;
        main.stop();
    });
    main.run();
    caller.join();

    EXPECT_GE(ranAfter, kDelay);
    EXPECT_TRUE(ranOnMain);
    EXPECT_TRUE(ranBeforeReturn);
}

TEST(Throttle, NextCallCancelsThePendingOneWhoseCallerReturnsWithoutItsBlock) {
    RunLoopQueue main;
    OperationQueue operations{main};
    std::atomic<bool> firstRan = false;
    std::atomic<bool> secondRan = false;

    std::thread first([&] { Throttle::throttle(operations, 0.01, [&] { firstRan = true; }); });
    while (operations.operationCount() < 2) std::this_thread::yield();  // pending: main is not served yet
    std::thread second([&] {
        Throttle::throttle(operations, 0.01, [&] { secondRan = true; });
        first.join();
        main.stop();
    });
    while (operations.operationCount() < 4) std::this_thread::yield();  // both calls queued before main serves
    main.run();
    second.join();

    EXPECT_FALSE(firstRan);
    EXPECT_TRUE(secondRan);
}

}  // namespace
}  // namespace spinewise
