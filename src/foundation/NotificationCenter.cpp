#include "foundation/NotificationCenter.hpp"

namespace spinewise {

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

}  // namespace spinewise
