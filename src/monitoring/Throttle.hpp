#pragma once

#include "foundation/BackgroundQueue.hpp"
#include "foundation/Clock.hpp"
#include "foundation/OperationQueue.hpp"

#include <functional>

namespace spinewise::Throttle {

/// Cancels whatever is still pending on `queue`, then has `block` run there
/// no earlier than `timeInterval` seconds after the queue took the request
/// up, and waits: returns once `block` has run, or once a later call has
/// cancelled it. The delay is measured on `delayQueue`.
///
/// Call it on a thread other than the one serving `queue`, and never let that
/// thread wait for the caller's thread meanwhile.
void throttle(OperationQueue& queue, TimeInterval timeInterval, std::function<void()> block,
              Queue& delayQueue = backgroundQueue());

}  // namespace spinewise::Throttle
