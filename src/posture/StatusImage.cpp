#include "posture/StatusImage.hpp"

namespace spinewise {

StatusImage statusImage(const std::optional<Posture>& posture) {
    if (!posture) return {kStatusCorrectImageName, Color::white(0.5, 1.0)};
    const auto name = posture->state == Posture::State::poor ? kStatusPoorImageName : kStatusCorrectImageName;
    return {name, Color::white(0.3, 1.0)};
}

}  // namespace spinewise
