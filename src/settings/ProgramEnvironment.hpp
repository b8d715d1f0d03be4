#pragma once

#include "foundation/AlertPresenter.hpp"
#include "foundation/Screen.hpp"
#include "settings/ApplicationDirectory.hpp"
#include "settings/UserDefaults.hpp"

#include <memory>

namespace spinewise {

/// What the running program lends its shared stores (Preferences::shared and
/// the others created on first use). The program installs its main screen and
/// alert presenter once at start-up, before the first shared store is used;
/// tests build the stores from their own parts and never come here.
class ProgramEnvironment {
public:
    /// `alerts` may be null: alerts then become diagnostic lines.
    static void install(std::shared_ptr<const MainScreen> mainScreen, std::shared_ptr<AlertPresenter> alerts);

    /// The installed main screen; stops the program when none was installed.
    static const MainScreen& mainScreen();
    /// The application directory under the user's XDG data home.
    static ApplicationDirectory applicationDirectory();
    /// The user defaults under the user's XDG configuration home; stops the
    /// program when that cannot be determined.
    static UserDefaults userDefaults();
};

}  // namespace spinewise
