#include "settings/PreferencesFile.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "settings/FileSystem.hpp"
#include "settings/UnreadableFile.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>

namespace spinewise {
namespace {

bool allNumbersFinite(const nlohmann::json& json) {
    if (json.is_number_float()) return std::isfinite(json.get<double>());
    if (!json.is_structured()) return true;
    return std::all_of(json.begin(), json.end(), allNumbersFinite);
}

}  // namespace

std::optional<State> PreferencesFile::load() const {
    const auto path = directory_.filePathWithin(kFileName);
    logLine("Loading preferences from: " + path.string());
    std::string contents;
    try {
        contents = readFileContents(path);
    } catch (const std::system_error& error) {
        logLine(error.what());
        if (!isMissingFile(error)) keepUnreadableFileAside(path, "preferences file", clock_.now());
        return std::nullopt;
    }
    try {
        return stateFromJson(nlohmann::json::parse(contents));
    } catch (const std::exception& error) {
        logLine("Cannot decode " + path.string() + ": " + error.what());
        keepUnreadableFileAside(path, "preferences file", clock_.now());
        return std::nullopt;
    }
}

void PreferencesFile::save(const State& state) const {
    const auto json = toJson(state);
    if (!allNumbersFinite(json)) fatalError("Cannot encode the preferences: a number is not finite");
    const auto text = json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    const auto path = directory_.filePathWithin(kFileName);
    try {
        replaceFileContents(path, text);
    } catch (const std::system_error& error) {
        logLine(error.what());
    }
}

}  // namespace spinewise
