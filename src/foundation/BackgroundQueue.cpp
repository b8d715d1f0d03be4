#include "foundation/BackgroundQueue.hpp"

#include "foundation/SerialQueue.hpp"

namespace spinewise {

Queue& backgroundQueue() {
    static auto* const queue = new SerialQueue("com.brightfold.spinewise.background");
    return *queue;
}

}  // namespace spinewise
