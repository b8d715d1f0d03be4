#pragma once

#include "settings/KeyShortcut.hpp"

namespace spinewise {

class ShortcutRecorder;

/// What the shortcut recorder asks and reports, in this order of a recording:
/// may it begin, may a combination be recorded, then cleared or changed, then ended.
class ShortcutRecorderDelegate {
public:
    virtual ~ShortcutRecorderDelegate() = default;
    virtual bool shortcutRecorderShouldBeginRecording(ShortcutRecorder& recorder) = 0;
    virtual bool shortcutRecorderCanRecordShortcut(ShortcutRecorder& recorder, const KeyShortcut& shortcut) = 0;
    virtual void shortcutRecorderDidClearShortcut(ShortcutRecorder& recorder) = 0;
    virtual void shortcutRecorderDidChangeShortcut(ShortcutRecorder& recorder, const KeyShortcut& shortcut) = 0;
    virtual void shortcutRecorderDidEndRecording(ShortcutRecorder& recorder) = 0;
};

}  // namespace spinewise
