#include "windows/ModifierDoubleTap.hpp"

namespace spinewise {

bool ModifierDoubleTap::press(int modifierBit, bool othersHeld, TimeInterval now) {
    if (othersHeld) {
        pending_.reset();
        return false;
    }
    const bool completes = pending_ && pending_->modifierBit == modifierBit && pending_->released &&
                           now - pending_->pressedAt <= kMaximumInterval;
    if (completes) {
        pending_.reset();
        return true;
    }
    pending_ = Tap{modifierBit, now, false};
    return false;
}

void ModifierDoubleTap::release(int modifierBit) {
    if (pending_ && pending_->modifierBit == modifierBit)
        pending_->released = true;
    else
        pending_.reset();
}

}  // namespace spinewise
