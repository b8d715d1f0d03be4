#include "settings/State.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/ResourceBundle.hpp"
#include "foundation/Screen.hpp"
#include "settings/DefaultSound.hpp"

namespace spinewise {

State State::defaults(const MainScreen& mainScreen, const ResourceBundle& resources) {
    const auto frame = mainScreen.frame();
    if (!frame || frame->height <= 0) fatalError("No main screen to place the default eye level on");
    State state;
    state.eyeLevelInPercent = (frame->y + frame->height / 2) / frame->height;
    state.notificationSoundFilename = resources.requiredResource(kDefaultSoundResource).filename().string();
    return state;
}

}  // namespace spinewise
