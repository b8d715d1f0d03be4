#include "settings/PreferencesFile.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"
#include "settings/FileSystem.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>

namespace spinewise {
namespace {

/// "20261211T081500Z" for a time on the reference-date epoch.
std::string utcTimestamp(TimeInterval time) {
    const auto unixTime = static_cast<std::time_t>(std::floor(time + kUnixToReferenceDate));
    std::tm utc{};
    gmtime_r(&unixTime, &utc);
    std::array<char, 32> text{};
    const auto length = std::strftime(text.data(), text.size(), "%Y%m%dT%H%M%SZ", &utc);
    return std::string(text.data(), length);
}

/// `candidate`, or candidate-2, candidate-3, ... when that name is taken.
std::filesystem::path unusedName(const std::filesystem::path& candidate) {
    std::error_code ignored;
    auto name = candidate;
    for (int counter = 2; std::filesystem::exists(std::filesystem::symlink_status(name, ignored)); ++counter)
        name = candidate.string() + "-" + std::to_string(counter);
    return name;
}

bool isMissingFile(const std::system_error& error) {
    return error.code() == std::errc::no_such_file_or_directory || error.code() == std::errc::not_a_directory;
}

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
        if (!isMissingFile(error)) keepAside(path);
        return std::nullopt;
    }
    try {
        return stateFromJson(nlohmann::json::parse(contents));
    } catch (const std::exception& error) {
        logLine("Cannot decode " + path.string() + ": " + error.what());
        keepAside(path);
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

void PreferencesFile::keepAside(const std::filesystem::path& file) const {
    const auto kept = unusedName(file.string() + std::string(kUnreadableSuffix) + utcTimestamp(clock_.now()));
    std::error_code error;
    std::filesystem::rename(file, kept, error);
    if (error)
        logLine("Cannot keep the unreadable preferences file aside as " + kept.string() + ": " + error.message());
    else
        logLine("Kept the unreadable preferences file as " + kept.string());
}

}  // namespace spinewise
