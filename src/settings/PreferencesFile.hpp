#pragma once

#include "foundation/Clock.hpp"
#include "settings/ApplicationDirectory.hpp"
#include "settings/State.hpp"

#include <filesystem>
#include <optional>
#include <string_view>

namespace spinewise {

/// The settings file "preferences.plist" (a JSON object despite its name) in
/// the application directory.
class PreferencesFile {
public:
    static constexpr std::string_view kFileName = "preferences.plist";

    /// `clock` stamps the name under which an unusable file is kept.
    PreferencesFile(ApplicationDirectory directory, const Clock& clock)
        : directory_(std::move(directory)), clock_(clock) {}

    /// The stored record. Logs "Loading preferences from: <path>"; when the file
    /// is missing, unreadable or not a valid record, logs why and returns
    /// nothing. A file that exists but cannot be used is first renamed to
    /// "preferences.plist.unreadable-<yyyymmddThhmmssZ>" (logged), so that
    /// saving the defaults later does not destroy it.
    std::optional<State> load() const;

    /// Writes the record as compact JSON, atomically. A failure is logged and
    /// leaves the previous file intact. A number that is not finite cannot be
    /// stored and stops the program.
    void save(const State& state) const;

private:
    ApplicationDirectory directory_;
    const Clock& clock_;
};

}  // namespace spinewise
