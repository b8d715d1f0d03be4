#pragma once

#include "foundation/Clock.hpp"
#include "posture/Posture.hpp"

#include <optional>

namespace spinewise {

/// The posture of the preview's picture as of its last change of state, and
/// what follows from it for the tint and for the "Cannot detect face" text.
class PreviewPosture {
public:
    /// What a new posture does to the picture's tint.
    enum class TintChange { keep, tint, clear };

    /// The text shows once no face has been seen for longer than this.
    static constexpr TimeInterval kNoFaceTextDelay = 0.3;

    /// Records `posture` when its state differs from the recorded one (so the
    /// recorded start is when the current state began). A new poor state
    /// tints, a new correct state clears; anything else keeps the tint.
    TintChange assign(const Posture& posture);

    /// Whether the text should show at `now`: hidden with a face, shown once
    /// the face has been missing for longer than kNoFaceTextDelay; nothing
    /// (leave it as it is) before the first posture and during the delay.
    std::optional<bool> noFaceTextVisibility(TimeInterval now) const;

    const std::optional<Posture>& posture() const { return posture_; }

private:
    std::optional<Posture> posture_;
};

}  // namespace spinewise
