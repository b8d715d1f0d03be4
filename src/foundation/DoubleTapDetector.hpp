#pragma once

#include "foundation/Clock.hpp"

#include <deque>
#include <optional>

namespace spinewise {

/// Recognises a double tap of one modifier key from the changes of the set of
/// held modifier keys (a bit mask, one bit per modifier key):
/// - a change to exactly one held modifier fires when that modifier is the
///   pending tap (which is then cleared), or else makes it the pending tap; in
///   both cases the pending tap, whatever it is by then, is cleared `kWindow`
///   seconds later;
/// - a change to two or more held modifiers sets a chord mark, and the next
///   change to exactly one held modifier only clears the mark;
/// - a change to no held modifier (a release) is ignored, and so is a report
///   of the set that is already held.
/// Times are seconds on any clock that does not go back; when it does (a
/// wrapped server clock), the detector starts afresh.
class DoubleTapDetector {
public:
    static constexpr TimeInterval kWindow = 0.3;

    /// Feeds the modifiers held from `time` on; returns the modifier bit whose double tap this completes.
    std::optional<int> modifiersChanged(int heldModifiers, TimeInterval time);

private:
    void expirePendingTap(TimeInterval time);
    std::optional<int> singleModifierHeld(int modifier, TimeInterval time);

    int held_ = 0;
    std::optional<int> pendingTap_;
    bool chordMarked_ = false;
    TimeInterval lastTime_ = 0;
    std::deque<TimeInterval> pendingTapClearTimes_;
};

}  // namespace spinewise
