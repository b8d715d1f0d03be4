#include "foundation/RunLoopQueue.hpp"

namespace spinewise {

void RunLoopQueue::run() {
    servingThread_.store(std::this_thread::get_id());
    loop_.serve();
}

}  // namespace spinewise
