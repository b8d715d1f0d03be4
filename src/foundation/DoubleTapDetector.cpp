#include "foundation/DoubleTapDetector.hpp"

#include <bit>

namespace spinewise {

std::optional<int> DoubleTapDetector::modifiersChanged(int heldModifiers, TimeInterval time) {
    if (time < lastTime_) *this = DoubleTapDetector();
    lastTime_ = time;
    expirePendingTap(time);
    if (heldModifiers == held_) return std::nullopt;
    held_ = heldModifiers;

    const int count = std::popcount(static_cast<unsigned int>(heldModifiers));
    if (count == 0) return std::nullopt;
    if (count > 1) {
        chordMarked_ = true;
        return std::nullopt;
    }
    if (chordMarked_) {
        chordMarked_ = false;
        return std::nullopt;
    }
    return singleModifierHeld(heldModifiers, time);
}

void DoubleTapDetector::expirePendingTap(TimeInterval time) {
    // A second press at the very end of the window is too late.
    bool expired = false;
    while (!pendingTapClearTimes_.empty() && pendingTapClearTimes_.front() <= time) {
        pendingTapClearTimes_.pop_front();
        expired = true;
    }
    if (expired) pendingTap_.reset();
}

std::optional<int> DoubleTapDetector::singleModifierHeld(int modifier, TimeInterval time) {
    pendingTapClearTimes_.push_back(time + kWindow);
    if (pendingTap_ == modifier) {
        pendingTap_.reset();
        return modifier;
    }
    pendingTap_ = modifier;
    return std::nullopt;
}

}  // namespace spinewise
