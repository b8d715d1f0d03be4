#pragma once

#include "foundation/Clock.hpp"
#include "settings/KeyShortcut.hpp"
#include "windows/ModifierDoubleTap.hpp"

#include <QWidget>

#include <optional>

class QPushButton;
class QToolButton;

namespace spinewise {

class ShortcutRecorderDelegate;

/// Shows one key combination or none. A click on it records the next
/// combination typed: a key with Ctrl, Alt or Super held (a function key
/// also alone) or a double tap of one modifier key; Escape cancels. Its clear
/// button clears the combination. Reports to its delegate.
class ShortcutRecorder final : public QWidget {
public:
    /// `clock` times double taps and must outlive the recorder.
    explicit ShortcutRecorder(QWidget* parent = nullptr, const Clock& clock = systemClock());

    /// `delegate` must outlive the recorder, or be replaced first; null for none.
    void setDelegate(ShortcutRecorderDelegate* delegate) { delegate_ = delegate; }

    const std::optional<KeyShortcut>& shortcut() const { return shortcut_; }
    /// Shows `shortcut`; the delegate is not told.
    void setShortcut(std::optional<KeyShortcut> shortcut);

    bool isRecording() const { return recording_; }
    /// What a click on the recorder does.
    void beginRecording();
    void clear();

    /// The text shown: the combination, a prompt while recording, or an invitation.
    QString text() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void record(const KeyShortcut& shortcut);
    void endRecording();
    void refresh();

    const Clock& clock_;
    ShortcutRecorderDelegate* delegate_ = nullptr;
    std::optional<KeyShortcut> shortcut_;
    bool recording_ = false;
    ModifierDoubleTap doubleTap_;
    QPushButton* recordButton_;
    QToolButton* clearButton_;
};

}  // namespace spinewise
