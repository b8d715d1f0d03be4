#include "foundation/InfoDictionary.hpp"
#include "windows/AboutWindowController.hpp"

namespace spinewise {

AboutWindowController& AboutWindowController::shared() {
    // Never destroyed: its window must not outlive the application object.
    static auto* const controller = new AboutWindowController(InfoDictionary::main());
    return *controller;
}

}  // namespace spinewise
