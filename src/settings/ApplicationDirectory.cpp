#include "settings/ApplicationDirectory.hpp"

#include "foundation/BundleIdentifier.hpp"
#include "foundation/Fatal.hpp"
#include "settings/FileSystem.hpp"

namespace spinewise {

ApplicationDirectory::ApplicationDirectory(std::optional<std::filesystem::path> dataHome,
                                           std::shared_ptr<AlertPresenter> alerts)
    : alerts_(std::move(alerts)) {
    if (dataHome) directory_ = *dataHome / kBundleIdentifier;
}

std::optional<std::filesystem::path> ApplicationDirectory::path() const {
    if (!directory_) return std::nullopt;
    std::error_code ignored;
    if (!std::filesystem::exists(*directory_, ignored)) {
        if (const auto error = createPrivateDirectories(*directory_))
            alerts_->presentAlert("Cannot create the folder " + directory_->string() + ": " + error.message());
    }
    return directory_;
}

std::filesystem::path ApplicationDirectory::filePathWithin(std::string_view filename) const {
    const auto directory = path();
    if (!directory) fatalError("filePathWithinApplicationDirectory == nil");
    return *directory / filename;
}

}  // namespace spinewise
