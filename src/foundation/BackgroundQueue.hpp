#pragma once

#include "foundation/Queue.hpp"

namespace spinewise {

/// The process-wide queue for short background work such as the end of a
/// delay. Created on first use and never destroyed, so work may be handed to
/// it until the process ends.
Queue& backgroundQueue();

}  // namespace spinewise
