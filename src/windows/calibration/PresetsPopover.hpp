#pragma once

#include "windows/calibration/PresetsEditor.hpp"

#include <QFrame>

#include <cstddef>
#include <vector>

class QListWidget;
class QPushButton;

namespace spinewise {

/// The presets popup: the list of presets with buttons to save the current
/// eye level, apply the selected preset and delete the selected ones. It
/// closes only when the program closes it, and reloads the list from the
/// store every time it shows.
class PresetsPopover final : public QFrame {
public:
    PresetsPopover(Presets& store, Preferences& preferences, QWidget* parent);

    /// Shows the popup above `anchor`, centred on it.
    void showAbove(const QWidget& anchor);

    QListWidget& list() const { return *list_; }
    QPushButton& saveButton() const { return *saveButton_; }
    QPushButton& applyButton() const { return *applyButton_; }
    QPushButton& deleteButton() const { return *deleteButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::vector<std::size_t> selectedRows() const;
    void refreshList();

    PresetsEditor editor_;
    QListWidget* list_;
    QPushButton* saveButton_;
    QPushButton* applyButton_;
    QPushButton* deleteButton_;
};

}  // namespace spinewise
