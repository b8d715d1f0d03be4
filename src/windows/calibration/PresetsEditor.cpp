#include "windows/calibration/PresetsEditor.hpp"

#include "foundation/DecimalText.hpp"
#include "foundation/Log.hpp"
#include "settings/Preferences.hpp"
#include "settings/Presets.hpp"

#include <cstdio>
#include <optional>
#include <set>

namespace spinewise {

std::string PresetsEditor::titleFor(double eyeLevelInPercent) {
    char number[64];
    std::snprintf(number, sizeof number, "%.0f", eyeLevelInPercent * 100);
    return std::string(number) + "% baseline";
}

void PresetsEditor::reload() { presets_ = store_.presets(); }

void PresetsEditor::saveCurrentEyeLevel() {
    const double level = preferences_.eyeLevelInPercent();
    presets_.push_back(std::make_shared<Preset>(titleFor(level), level));
    store();
}

void PresetsEditor::apply(const std::vector<std::size_t>& selectedRows) {
    std::optional<std::size_t> lowest;
    for (const auto row : selectedRows)
        if (row < presets_.size() && (!lowest || row > *lowest)) lowest = row;
    if (!lowest) return;
    const auto& preset = *presets_[*lowest];
    logLine("Set eye level to: " + decimalText(preset.eyeLevelInPercent() * 100) + "%");
    preferences_.setEyeLevelInPercent(preset.eyeLevelInPercent());
}

void PresetsEditor::remove(const std::vector<std::size_t>& selectedRows) {
    const std::set<std::size_t> doomed(selectedRows.begin(), selectedRows.end());
    std::vector<std::shared_ptr<Preset>> kept;
    for (std::size_t row = 0; row < presets_.size(); ++row)
        if (!doomed.contains(row)) kept.push_back(presets_[row]);
    presets_ = std::move(kept);
    store();
}

void PresetsEditor::store() { store_.setPresets(presets_); }

}  // namespace spinewise
