#pragma once

#include "foundation/Clock.hpp"

#include <optional>

namespace spinewise {

/// Recognises a double tap of one modifier key: press, release and press
/// again of the same key, alone, the second press at most 0.3 s after the first.
class ModifierDoubleTap {
public:
    static constexpr TimeInterval kMaximumInterval = 0.3;

    /// A modifier key went down; `othersHeld` when another modifier is held
    /// with it. Returns true when this press completes a double tap.
    bool press(int modifierBit, bool othersHeld, TimeInterval now);
    void release(int modifierBit);
    /// Any other key breaks a tap in progress.
    void interrupt() { pending_.reset(); }

private:
    struct Tap {
        int modifierBit;
        TimeInterval pressedAt;
        bool released;
    };
    std::optional<Tap> pending_;
};

}  // namespace spinewise
