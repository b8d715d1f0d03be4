#include "StopSignals.hpp"

#include <pthread.h>

#include <csignal>
#include <ctime>

namespace spinewise {
namespace {

sigset_t stopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

StopSignals::StopSignals(std::function<void()> onSignal) {
    const auto signals = stopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    waiter_ = std::jthread([signals, onSignal = std::move(onSignal)](const std::stop_token& stop) {
        pthread_setname_np(pthread_self(), "spinewise-stop");
        // Looks up every tenth of a second whether it should end.
        const timespec pause{0, 100'000'000};
        while (!stop.stop_requested())
            if (sigtimedwait(&signals, nullptr, &pause) > 0) onSignal();
    });
}

}  // namespace spinewise
