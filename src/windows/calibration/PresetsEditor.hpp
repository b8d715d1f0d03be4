#pragma once

#include "settings/Preset.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace spinewise {

class Preferences;
class Presets;

/// What the presets popover does with the list it shows: save the current eye
/// level as a new preset, apply a selected one, delete selected ones. Every
/// change writes the whole list back to the store, which saves it. Rows are
/// indices into presets(). Main thread only.
class PresetsEditor {
public:
    PresetsEditor(Presets& store, Preferences& preferences) : store_(store), preferences_(preferences) {}

    /// A new preset's title: the level in percent, no decimals (halves to the
    /// even neighbour, as "%.0f" does), then "% baseline".
    static std::string titleFor(double eyeLevelInPercent);

    /// Takes the store's list afresh.
    void reload();
    const std::vector<std::shared_ptr<Preset>>& presets() const { return presets_; }

    /// Appends a preset for the current eye level (unrounded).
    void saveCurrentEyeLevel();
    /// Applies the lowest selected row, writing "Set eye level to: <level>%";
    /// with no row selected nothing happens.
    void apply(const std::vector<std::size_t>& selectedRows);
    /// Removes the selected rows; the list is stored even when none was selected.
    void remove(const std::vector<std::size_t>& selectedRows);

private:
    void store();

    Presets& store_;
    Preferences& preferences_;
    std::vector<std::shared_ptr<Preset>> presets_;
};

}  // namespace spinewise
