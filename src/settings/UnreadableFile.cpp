#include "settings/UnreadableFile.hpp"

#include "foundation/Log.hpp"

#include <array>
#include <cmath>
#include <ctime>
#include <string>

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

}  // namespace

void keepUnreadableFileAside(const std::filesystem::path& file, std::string_view description, TimeInterval now) {
    const auto kept = unusedName(file.string() + std::string(kUnreadableSuffix) + utcTimestamp(now));
    std::error_code error;
    std::filesystem::rename(file, kept, error);
    const auto subject = "the unreadable " + std::string(description);
    if (error)
        logLine("Cannot keep " + subject + " aside as " + kept.string() + ": " + error.message());
    else
        logLine("Kept " + subject + " as " + kept.string());
}

}  // namespace spinewise
