#include "shell/StatusMenuModel.hpp"

#include <algorithm>
#include <cstdio>

namespace spinewise {
namespace {

using Action = StatusMenuAction;

StatusMenuItem actionItem(std::string title, Action action, QKeySequence shortcut = {}) {
    return {.title = std::move(title), .action = action, .enabled = true, .shortcut = std::move(shortcut)};
}

/// A title without an action: shown, but it cannot be chosen.
StatusMenuItem label(std::string title) { return {.title = std::move(title)}; }

StatusMenuItem audioItem(bool playNotificationSound) {
    auto on = actionItem("On", Action::turnOnAudioNotification);
    on.checked = playNotificationSound;
    auto off = actionItem("Off", Action::turnOffAudioNotification);
    off.checked = !playNotificationSound;
    return {.title = "Audio Notification", .enabled = true, .submenu = {on, off}};
}

/// Ctrl+key when this program is active (Ctrl plays the part of the command key).
QKeySequence frontmostShortcut(bool isFrontmost, Qt::Key key) {
    return isFrontmost ? QKeySequence(QKeyCombination(Qt::ControlModifier, key)) : QKeySequence();
}

}  // namespace

std::vector<StatusMenuItem> statusMenuItems(const StatusMenuState& state) {
    const auto& interval = state.interval;
    std::vector<StatusMenuItem> items;

    items.push_back(label(intervalTitle(interval)));
    auto alternate = label(intervalAltTitle(interval, state.now, state.timeZone));
    alternate.isAlternate = true;
    items.push_back(std::move(alternate));
    if (state.goodPosturePercentage) {
        items.push_back(actionItem(goodPostureTitle(*state.goodPosturePercentage), Action::showHistoryWindow));
    }
    items.push_back(StatusMenuItem::separator());

    if (!state.isPreferencesWindowVisible && interval.mode != MonitorMode::live && !interval.isSessionRunning) {
        items.push_back(actionItem("Check Posture", Action::checkPosture, state.checkPostureShortcut));
    }
    if (!state.isPreferencesWindowVisible && interval.mode != MonitorMode::manual) {
        items.push_back(interval.isRunning ? actionItem("Pause", Action::pause) : actionItem("Resume", Action::resume));
    }
    items.push_back(StatusMenuItem::separator());

    items.push_back(audioItem(state.playNotificationSound));
    items.push_back(actionItem("Preferences...", Action::showPreferencesWindow,
                               frontmostShortcut(state.isFrontmost, Qt::Key_Comma)));
    items.push_back(StatusMenuItem::separator());

    if (!state.presetTitles.empty()) {
        items.push_back(label("Presets"));
        for (std::size_t index = 0; index < state.presetTitles.size(); ++index) {
            auto preset = actionItem(state.presetTitles[index], Action::applyPreset);
            preset.tag = static_cast<int>(index);
            items.push_back(std::move(preset));
        }
        items.push_back(StatusMenuItem::separator());
    }

    items.push_back(actionItem("About", Action::showAbout));
    items.push_back(actionItem("Quit", Action::quit, frontmostShortcut(state.isFrontmost, Qt::Key_Q)));
    return items;
}

std::optional<double> goodPosturePercentage(const std::vector<Posture>& history) {
    const auto correct = std::ranges::count(history, Posture::State::correct, &Posture::state);
    const auto poor = std::ranges::count(history, Posture::State::poor, &Posture::state);
    if (correct + poor == 0) return std::nullopt;
    return static_cast<double>(correct) / static_cast<double>(correct + poor) * 100;
}

std::string goodPostureTitle(double percentage) {
    char title[64];
    std::snprintf(title, sizeof title, "Good Posture %.1f", percentage);
    return std::string(title) + "%";
}

}  // namespace spinewise
