#include "monitoring/Mutex.hpp"

#include "foundation/Fatal.hpp"

#include <cerrno>

namespace spinewise {
namespace {

void stopOnFailure(MutexOperation operation, int code) {
    if (code != 0) fatalError(mutexFailureMessage(operation, code));
}

std::string createFailureMessage(int code) {
    switch (code) {
    case ENOMEM: return "Could not create mutex: no memory";
    case EINVAL: return "Could not create mutex: invalid attributes";
    case EAGAIN:
        return "Could not create mutex: EAGAIN (The system temporarily lacks the resources to create another mutex.)";
    default: return "Could not create mutex, unspecified error " + std::to_string(code);
    }
}

std::string lockFailureMessage(int code) {
    switch (code) {
    case EDEADLK: return "Could not lock mutex: a deadlock would have occurred";
    case EINVAL: return "Could not lock mutex: the mutex is invalid";
    default: return "Could not lock mutex: unspecified error " + std::to_string(code);
    }
}

std::string unlockFailureMessage(int code) {
    switch (code) {
    case EPERM: return "Could not unlock mutex: thread does not hold this mutex";
    case EINVAL: return "Could not unlock mutex: the mutex is invalid";
    default: return "Could not unlock mutex: unspecified error " + std::to_string(code);
    }
}

}  // namespace

std::string mutexFailureMessage(MutexOperation operation, int code) {
    switch (operation) {
    case MutexOperation::create: return createFailureMessage(code);
    case MutexOperation::lock: return lockFailureMessage(code);
    case MutexOperation::unlock: return unlockFailureMessage(code);
    }
    return {};
}

Mutex::Mutex() {
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    const int result = pthread_mutex_init(&mutex_, &attributes);
    pthread_mutexattr_destroy(&attributes);
    stopOnFailure(MutexOperation::create, result);
}

Mutex::~Mutex() { pthread_mutex_destroy(&mutex_); }

void Mutex::lock() { stopOnFailure(MutexOperation::lock, pthread_mutex_lock(&mutex_)); }

void Mutex::unlock() { stopOnFailure(MutexOperation::unlock, pthread_mutex_unlock(&mutex_)); }

}  // namespace spinewise
