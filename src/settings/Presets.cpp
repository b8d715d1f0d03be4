#include "settings/Presets.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/KeyedArchive.hpp"
#include "foundation/Log.hpp"
#include "settings/FileSystem.hpp"
#include "settings/PresetsArchive.hpp"
#include "settings/ProgramEnvironment.hpp"
#include "settings/UnreadableFile.hpp"

#include <fstream>

namespace spinewise {
namespace {

std::vector<std::shared_ptr<Preset>> firstRunPresets() {
    return {std::make_shared<Preset>("40% baseline", 0.4), std::make_shared<Preset>("50% baseline", 0.5),
            std::make_shared<Preset>("60% baseline", 0.6)};
}

}  // namespace

Presets::Presets(ApplicationDirectory directory, const Clock& clock) : directory_(std::move(directory)), clock_(clock) {
    const auto folder = directory_.path();
    if (!folder) fatalError("applicationDirectory == nil");
    const auto marker = *folder / kFirstRunMarkerName;
    std::error_code ignored;
    if (std::filesystem::exists(marker, ignored)) {
        presets_ = loaded();
        return;
    }
    presets_ = firstRunPresets();
    save();
    std::ofstream{marker};
}

Presets& Presets::shared() {
    static Presets instance(ProgramEnvironment::applicationDirectory(), systemClock());
    return instance;
}

void Presets::setPresets(std::vector<std::shared_ptr<Preset>> presets) {
    presets_ = std::move(presets);
    save();
}

void Presets::save() const {
    const auto path = directory_.filePathWithin(kFileName);
    try {
        replaceFileContents(path, archivePresets(presets_));
    } catch (const std::system_error& error) {
        logLine(error.what());
    }
}

std::vector<std::shared_ptr<Preset>> Presets::loaded() const {
    const auto path = directory_.filePathWithin(kFileName);
    try {
        return unarchivePresets(readFileContents(path));
    } catch (const std::system_error& error) {
        if (isMissingFile(error)) return {};
        logLine(error.what());
    } catch (const KeyedArchiveError& error) {
        logLine("Cannot decode " + path.string() + ": " + error.what());
    }
    keepUnreadableFileAside(path, "presets file", clock_.now());
    return {};
}

}  // namespace spinewise
