#include "windows/calibration/PresetsPopover.hpp"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace spinewise {

PresetsPopover::PresetsPopover(Presets& store, Preferences& preferences, QWidget* parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint),
      editor_(store, preferences),
      list_(new QListWidget(this)),
      saveButton_(new QPushButton(tr("Save"), this)),
      applyButton_(new QPushButton(tr("Apply"), this)),
      deleteButton_(new QPushButton(tr("Delete"), this)) {
    setFrameShape(QFrame::StyledPanel);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(saveButton_);
    buttons->addWidget(applyButton_);
    buttons->addWidget(deleteButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(saveButton_, &QPushButton::clicked, this, [this] {
        editor_.saveCurrentEyeLevel();
        refreshList();
    });
    connect(applyButton_, &QPushButton::clicked, this, [this] { editor_.apply(selectedRows()); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] {
        editor_.remove(selectedRows());
        refreshList();
    });
}

void PresetsPopover::showAbove(const QWidget& anchor) {
    adjustSize();
    const QPoint anchorTopLeft = anchor.mapToGlobal(QPoint(0, 0));
    move(anchorTopLeft.x() + (anchor.width() - width()) / 2, anchorTopLeft.y() - height());
    show();
    raise();
}

void PresetsPopover::showEvent(QShowEvent* event) {
    editor_.reload();
    refreshList();
    QFrame::showEvent(event);
}

std::vector<std::size_t> PresetsPopover::selectedRows() const {
    std::vector<std::size_t> rows;
    for (const auto& index : list_->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    return rows;
}

void PresetsPopover::refreshList() {
    list_->clear();
    for (const auto& preset : editor_.presets()) list_->addItem(QString::fromStdString(preset->title()));
}

}  // namespace spinewise
