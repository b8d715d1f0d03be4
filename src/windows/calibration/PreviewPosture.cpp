#include "windows/calibration/PreviewPosture.hpp"

namespace spinewise {

PreviewPosture::TintChange PreviewPosture::assign(const Posture& posture) {
    if (posture_ && *posture_ == posture) return TintChange::keep;
    posture_ = posture;
    switch (posture.state) {
        case Posture::State::poor: return TintChange::tint;
        case Posture::State::correct: return TintChange::clear;
        case Posture::State::unknown: return TintChange::keep;
    }
    return TintChange::keep;
}

std::optional<bool> PreviewPosture::noFaceTextVisibility(TimeInterval now) const {
    if (!posture_) return std::nullopt;
    if (posture_->state != Posture::State::unknown) return false;
    if (now - posture_->start > kNoFaceTextDelay) return true;
    return std::nullopt;
}

}  // namespace spinewise
