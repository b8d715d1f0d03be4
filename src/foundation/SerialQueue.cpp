#include "foundation/SerialQueue.hpp"

#include "foundation/Fatal.hpp"

#include <future>
#include <pthread.h>

namespace spinewise {
namespace {

constexpr std::size_t kThreadNameLength = 15;

}  // namespace

SerialQueue::SerialQueue(std::string label) : label_(std::move(label)), thread_([this] { serve(); }) {}

SerialQueue::~SerialQueue() {
    if (isCurrent()) fatalError("SerialQueue \"" + label_ + "\" destroyed on its own thread");
    loop_.post(0, [this] { loop_.quit(); });
    thread_.join();
}

void SerialQueue::sync(const Task& task) {
    if (isCurrent()) fatalError("SerialQueue \"" + label_ + "\": sync called on its own thread");
    std::promise<void> done;
    loop_.post(0, [&] {
        task();
        done.set_value();
    });
    done.get_future().wait();
}

void SerialQueue::serve() {
    pthread_setname_np(pthread_self(), label_.substr(0, kThreadNameLength).c_str());
    loop_.serve();
}

}  // namespace spinewise
