#pragma once

#include <pthread.h>
#include <string>

namespace spinewise {

/// A recursive lock: the thread that holds it may lock it again and releases
/// it once every lock has been matched by an unlock. Every failure stops the
/// program. Meets BasicLockable, so std::lock_guard<Mutex> works.
class Mutex {
public:
    Mutex();
    ~Mutex();
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    void lock();
    void unlock();

private:
    pthread_mutex_t mutex_;
};

enum class MutexOperation { create, lock, unlock };

/// The message a failed mutex operation stops the program with; `code` is the
/// result of the pthread call.
std::string mutexFailureMessage(MutexOperation operation, int code);

}  // namespace spinewise
