#include "settings/Preset.hpp"

#include <array>
#include <charconv>

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
    std::array<char, 32> number{};
    const auto written = std::to_chars(number.data(), number.data() + number.size(), eyeLevelInPercent_);
    return "Preset(title: " + title_ + ", eyeLevelInPercent: " + std::string(number.data(), written.ptr) + ")";
}

}  // namespace spinewise
