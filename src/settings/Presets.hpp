#pragma once

#include "foundation/Clock.hpp"
#include "settings/ApplicationDirectory.hpp"
#include "settings/Preset.hpp"

#include <memory>
#include <string_view>
#include <vector>

namespace spinewise {

/// The program's ordered list of eye-level presets, kept in "presets.data" in
/// the application directory. The first start creates three presets and the
/// marker ".firstPresetsRun"; while the marker exists they are never created
/// again, so deleted presets stay deleted. Main thread only.
class Presets {
public:
    static constexpr std::string_view kFileName = "presets.data";
    static constexpr std::string_view kFirstRunMarkerName = ".firstPresetsRun";

    /// Loads the list, or on the first start creates the first-run presets,
    /// saves them and creates the marker. A presets file that exists but cannot
    /// be read is kept aside (its name + ".unreadable-" + the UTC time stamp of
    /// `clock`) and the list starts empty. Stops the program with
    /// "applicationDirectory == nil" when the directory cannot be determined.
    Presets(ApplicationDirectory directory, const Clock& clock);
    Presets(const Presets&) = delete;
    Presets& operator=(const Presets&) = delete;

    /// The running program's instance, created on first use from the
    /// environment the program installed (ProgramEnvironment).
    static Presets& shared();

    const std::vector<std::shared_ptr<Preset>>& presets() const { return presets_; }
    /// Replaces the whole list and saves it, also when nothing changed.
    void setPresets(std::vector<std::shared_ptr<Preset>> presets);

    /// Writes the list to "presets.data", atomically. A failed write is logged
    /// and leaves the previous file and the list in memory as they were.
    void save() const;

private:
    std::vector<std::shared_ptr<Preset>> loaded() const;

    ApplicationDirectory directory_;
    const Clock& clock_;
    std::vector<std::shared_ptr<Preset>> presets_;
};

}  // namespace spinewise
