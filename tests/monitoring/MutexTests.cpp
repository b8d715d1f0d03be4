#include "monitoring/Mutex.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <future>
#include <ostream>
#include <mutex>
#include <string>
#include <thread>

namespace spinewise {
namespace {

TEST(Mutex, HolderMayLockAgainAndReleasesOnlyAfterTheLastUnlock) {
    Mutex mutex;
    std::atomic<bool> otherHolds = false;
    std::promise<void> heldTwice;
    std::promise<void> firstUnlocked;
    std::promise<void> release;

    std::thread holder([&] {
        mutex.lock();
        mutex.lock();
        heldTwice.set_value();
        mutex.unlock();
        firstUnlocked.set_value();
        release.get_future().wait();
        EXPECT_FALSE(otherHolds);
        mutex.unlock();
    });
    heldTwice.get_future().wait();
    std::thread other([&] {
        const std::lock_guard lock(mutex);
        otherHolds = true;
    });
    firstUnlocked.get_future().wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // room for a wrongly released lock to be taken
    release.set_value();

    holder.join();
    other.join();
    EXPECT_TRUE(otherHolds);
}

TEST(MutexDeathTest, UnlockByAThreadThatDoesNotHoldItStopsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const char* expected = "Fatal error: Could not unlock mutex: thread does not hold this mutex";
    EXPECT_DEATH(
        {
            Mutex mutex;
            mutex.lock();
            std::thread([&] { mutex.unlock(); }).join();
        },
        expected);
    EXPECT_DEATH(Mutex().unlock(), expected);
}

struct FailureCase {
    MutexOperation operation;
    int code;
    std::string message;
};

// Names each case after its message in test listings.
void PrintTo(const FailureCase& failure, std::ostream* out) { *out << failure.message; }

class MutexFailureMessage : public testing::TestWithParam<FailureCase> {};

TEST_P(MutexFailureMessage, NamesTheFailure) {
    EXPECT_EQ(mutexFailureMessage(GetParam().operation, GetParam().code), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    EveryOperation, MutexFailureMessage,
    testing::Values(
        FailureCase{MutexOperation::create, ENOMEM, "Could not create mutex: no memory"},
        FailureCase{MutexOperation::create, EINVAL, "Could not create mutex: invalid attributes"},
        FailureCase{MutexOperation::create, EAGAIN,
                    "Could not create mutex: EAGAIN (The system temporarily lacks the resources to create another "
                    "mutex.)"},
        FailureCase{MutexOperation::create, EBUSY, "Could not create mutex, unspecified error " + std::to_string(EBUSY)},
        FailureCase{MutexOperation::lock, EDEADLK, "Could not lock mutex: a deadlock would have occurred"},
        FailureCase{MutexOperation::lock, EINVAL, "Could not lock mutex: the mutex is invalid"},
        FailureCase{MutexOperation::lock, EAGAIN, "Could not lock mutex: unspecified error " + std::to_string(EAGAIN)},
        FailureCase{MutexOperation::unlock, EPERM, "Could not unlock mutex: thread does not hold this mutex"},
        FailureCase{MutexOperation::unlock, EINVAL, "Could not unlock mutex: the mutex is invalid"},
        FailureCase{MutexOperation::unlock, 4242, "Could not unlock mutex: unspecified error 4242"}));

}  // namespace
}  // namespace spinewise
