#include "settings/ProgramEnvironment.hpp"

#include "foundation/Fatal.hpp"
#include "settings/XdgBaseDirectories.hpp"

namespace spinewise {
namespace {

struct Installed {
    std::shared_ptr<const MainScreen> mainScreen;
    std::shared_ptr<AlertPresenter> alerts = std::make_shared<LogAlertPresenter>();
};

Installed& installed() {
    static Installed value;
    return value;
}

}  // namespace

void ProgramEnvironment::install(std::shared_ptr<const MainScreen> mainScreen, std::shared_ptr<AlertPresenter> alerts) {
    installed().mainScreen = std::move(mainScreen);
    installed().alerts = alerts ? std::move(alerts) : std::make_shared<LogAlertPresenter>();
}

const MainScreen& ProgramEnvironment::mainScreen() {
    if (!installed().mainScreen) fatalError("No main screen installed before the shared stores were used");
    return *installed().mainScreen;
}

ApplicationDirectory ProgramEnvironment::applicationDirectory() {
    return ApplicationDirectory(XdgBaseDirectories::ofProcess().dataHome(), installed().alerts);
}

UserDefaults ProgramEnvironment::userDefaults() {
    const auto configHome = XdgBaseDirectories::ofProcess().configHome();
    if (!configHome) fatalError("Cannot determine the configuration folder: neither XDG_CONFIG_HOME nor HOME is set");
    return UserDefaults::inConfigHome(*configHome);
}

}  // namespace spinewise
