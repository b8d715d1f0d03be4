#include "settings/Preset.hpp"

#include "foundation/DecimalText.hpp"

namespace spinewise {

void Preset::setTitle(std::string title) {
    willChangeValue(PresetKey::title);
    title_ = std::move(title);
    didChangeValue(PresetKey::title);
}

void Preset::setEyeLevelInPercent(double eyeLevelInPercent) {
    willChangeValue(PresetKey::eyeLevelInPercent);
    eyeLevelInPercent_ = eyeLevelInPercent;
    didChangeValue(PresetKey::eyeLevelInPercent);
}

std::string Preset::description() const {
    return "Preset(title: " + title_ + ", eyeLevelInPercent: " + decimalText(eyeLevelInPercent_) + ")";
}

}  // namespace spinewise
