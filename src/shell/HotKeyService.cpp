#include "shell/HotKeyService.hpp"

#include <string>
#include <utility>

namespace spinewise {

HotKeyService::HotKeyService(HotKeyRegistrar& registrar, std::function<void()> checkPosture)
    : registrar_(registrar), checkPosture_(std::move(checkPosture)) {}

void HotKeyService::registerShortcut(const std::optional<KeyShortcut>& shortcut) {
    registrar_.unregisterHotKey(kIdentifier);
    if (shortcut) registrar_.registerHotKey(std::string(kIdentifier), *shortcut, checkPosture_);
}

}  // namespace spinewise
