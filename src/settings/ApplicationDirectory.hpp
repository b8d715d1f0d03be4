#pragma once

#include "foundation/AlertPresenter.hpp"

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

namespace spinewise {

/// The folder of the program's data files: <data home>/com.brightfold.spinewise.
class ApplicationDirectory {
public:
    /// `dataHome` is the user's data folder (XdgBaseDirectories::dataHome), or
    /// nothing when it cannot be determined. `alerts` tells the user when the
    /// folder cannot be created.
    ApplicationDirectory(std::optional<std::filesystem::path> dataHome, std::shared_ptr<AlertPresenter> alerts);

    /// The folder's path, created with its missing parents when nothing exists
    /// there yet. A failed creation is shown in an alert and the path is
    /// returned anyway. Nothing when there is no data home.
    std::optional<std::filesystem::path> path() const;

    /// path() + "/" + filename; stops the program when there is no path.
    std::filesystem::path filePathWithin(std::string_view filename) const;

private:
    std::optional<std::filesystem::path> directory_;
    std::shared_ptr<AlertPresenter> alerts_;
};

}  // namespace spinewise
