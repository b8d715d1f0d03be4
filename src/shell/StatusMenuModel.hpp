#pragma once

#include "posture/Posture.hpp"
#include "shell/IntervalTitles.hpp"

#include <QKeySequence>
#include <QTimeZone>

#include <optional>
#include <string>
#include <vector>

namespace spinewise {

/// What choosing a status-menu item asks the UI controller to do.
enum class StatusMenuAction {
    none,
    showHistoryWindow,
    checkPosture,
    pause,
    resume,
    turnOnAudioNotification,
    turnOffAudioNotification,
    showPreferencesWindow,
    applyPreset,  ///< the preset at the item's tag
    showAbout,
    quit,
};

/// One entry of the status menu, as plain data.
struct StatusMenuItem {
    bool isSeparator = false;
    std::string title;
    StatusMenuAction action = StatusMenuAction::none;
    bool enabled = false;
    /// Shown with a check mark (the audio submenu's current choice).
    bool checked = false;
    QKeySequence shortcut;
    int tag = 0;
    /// Takes the place of the item before it while the Alt key is held.
    bool isAlternate = false;
    std::vector<StatusMenuItem> submenu;

    static StatusMenuItem separator() { return {.isSeparator = true}; }

    friend bool operator==(const StatusMenuItem&, const StatusMenuItem&) = default;
};

/// Everything the status menu shows, read at the moment it is built.
struct StatusMenuState {
    IntervalState interval;
    TimeInterval now = 0;
    QTimeZone timeZone = QTimeZone::utc();
    bool isPreferencesWindowVisible = false;
    /// goodPosturePercentage of the history.
    std::optional<double> goodPosturePercentage;
    std::vector<std::string> presetTitles;
    bool playNotificationSound = true;
    /// Whether this program is the active application.
    bool isFrontmost = false;
    /// The key equivalent of "Check Posture" (the global shortcut's keys).
    QKeySequence checkPostureShortcut;
};

/// The status menu's items, in order, with their titles, actions, shortcuts
/// and states, and only those the state calls for.
std::vector<StatusMenuItem> statusMenuItems(const StatusMenuState& state);

/// Correct entries per correct and poor entries of the history, in percent
/// (a ratio of entries, not of time); nothing when there are neither.
std::optional<double> goodPosturePercentage(const std::vector<Posture>& history);

/// "Good Posture 66.7%".
std::string goodPostureTitle(double percentage);

}  // namespace spinewise
