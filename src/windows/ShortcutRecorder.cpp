#include "windows/ShortcutRecorder.hpp"

#include "platform/ShortcutKeys.hpp"
#include "windows/ShortcutRecorderDelegate.hpp"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace spinewise {
namespace {

// Shift alone would turn typing a capital letter into the shortcut.
constexpr int kShortcutModifiers = KeyShortcut::command | KeyShortcut::option | KeyShortcut::control;

}  // namespace

ShortcutRecorder::ShortcutRecorder(QWidget* parent, const Clock& clock)
    : QWidget(parent), clock_(clock), recordButton_(new QPushButton(this)), clearButton_(new QToolButton(this)) {
    setFocusPolicy(Qt::StrongFocus);
    recordButton_->setObjectName(QStringLiteral("recordButton"));
    recordButton_->setFocusPolicy(Qt::NoFocus);
    recordButton_->setMinimumWidth(160);
    clearButton_->setObjectName(QStringLiteral("clearButton"));
    clearButton_->setFocusPolicy(Qt::NoFocus);
    clearButton_->setText(QStringLiteral("\u00D7"));
    clearButton_->setToolTip(tr("Clear shortcut"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(recordButton_, 1);
    layout->addWidget(clearButton_);
    connect(recordButton_, &QPushButton::clicked, this, [this] { beginRecording(); });
    connect(clearButton_, &QToolButton::clicked, this, [this] { clear(); });
    refresh();
}

void ShortcutRecorder::setShortcut(std::optional<KeyShortcut> shortcut) {
    shortcut_ = shortcut;
    refresh();
}

void ShortcutRecorder::beginRecording() {
    if (recording_) return;
    if (delegate_ && !delegate_->shortcutRecorderShouldBeginRecording(*this)) return;
    recording_ = true;
    doubleTap_.interrupt();
    setFocus(Qt::MouseFocusReason);
    refresh();
}

void ShortcutRecorder::clear() {
    shortcut_.reset();
    if (delegate_) delegate_->shortcutRecorderDidClearShortcut(*this);
    if (recording_) endRecording();
    refresh();
}

QString ShortcutRecorder::text() const {
    if (recording_) return tr("Type shortcut\u2026");
    if (!shortcut_) return tr("Record Shortcut");
    return ShortcutKeys::displayText(shortcut_);
}

bool ShortcutRecorder::event(QEvent* event) {
    // While recording, keys belong to the recorder, not to the application's shortcuts.
    if (recording_ && event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void ShortcutRecorder::keyPressEvent(QKeyEvent* event) {
    if (!recording_) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;
    const int modifiers = ShortcutKeys::modifierBitsFromQt(event->modifiers());
    if (const auto modifier = ShortcutKeys::modifierBitFromQtKey(event->key())) {
        const bool othersHeld = (modifiers & ~*modifier) != 0;
        if (doubleTap_.press(*modifier, othersHeld, clock_.now())) record(KeyShortcut::doubleTap(*modifier));
        return;
    }
    doubleTap_.interrupt();
    if (event->key() == Qt::Key_Escape && modifiers == 0) {
        endRecording();
        return;
    }
    const auto keyCode = ShortcutKeys::virtualKeyCodeFromQtKey(event->key());
    if (!keyCode) return;
    if ((modifiers & kShortcutModifiers) == 0 && !isFunctionKey(*keyCode)) return;
    record(KeyShortcut::combination(*keyCode, modifiers));
}

void ShortcutRecorder::keyReleaseEvent(QKeyEvent* event) {
    if (!recording_) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;
    if (const auto modifier = ShortcutKeys::modifierBitFromQtKey(event->key())) doubleTap_.release(*modifier);
}

void ShortcutRecorder::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (recording_) endRecording();
}

bool ShortcutRecorder::focusNextPrevChild(bool next) {
    // Tab is a key to record, not a way out, while recording.
    return recording_ ? false : QWidget::focusNextPrevChild(next);
}

void ShortcutRecorder::record(const KeyShortcut& shortcut) {
    if (delegate_ && !delegate_->shortcutRecorderCanRecordShortcut(*this, shortcut)) return;
    shortcut_ = shortcut;
    if (delegate_) delegate_->shortcutRecorderDidChangeShortcut(*this, shortcut);
    endRecording();
}

void ShortcutRecorder::endRecording() {
    recording_ = false;
    if (delegate_) delegate_->shortcutRecorderDidEndRecording(*this);
    refresh();
}

void ShortcutRecorder::refresh() {
    recordButton_->setText(text());
    recordButton_->setDown(recording_);
    clearButton_->setEnabled(shortcut_.has_value());
}

}  // namespace spinewise
