#include "shell/StatusMenuWidget.hpp"

namespace spinewise {

StatusMenuWidget::StatusMenuWidget(const std::vector<StatusMenuItem>& items, bool alternateHeld,
                                   ActionHandler handler)
    : handler_(std::move(handler)), menu_(std::make_unique<QMenu>()) {
    addItems(*menu_, items);
    showAlternate(primary_, alternate_, alternateHeld);
}

void StatusMenuWidget::addItems(QMenu& menu, const std::vector<StatusMenuItem>& items) {
    QAction* previous = nullptr;
    for (const auto& item : items) {
        if (item.isSeparator) {
            previous = menu.addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (item.submenu.empty()) {
            action = menu.addAction(QString::fromStdString(item.title));
        } else {
            auto* submenu = menu.addMenu(QString::fromStdString(item.title));
            addItems(*submenu, item.submenu);
            action = submenu->menuAction();
        }
        action->setEnabled(item.enabled);
        action->setShortcut(item.shortcut);
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        if (item.action != StatusMenuAction::none) {
            // The handler is copied: the menu may outlive this builder.
            QObject::connect(action, &QAction::triggered,
                             [handler = handler_, chosen = item.action, tag = item.tag] { handler(chosen, tag); });
        }
        if (item.isAlternate) {
            primary_ = previous;
            alternate_ = action;
        }
        previous = action;
    }
}

void StatusMenuWidget::showAlternate(QAction* primary, QAction* alternate, bool alternateHeld) {
    if (!primary || !alternate) return;
    primary->setVisible(!alternateHeld);
    alternate->setVisible(alternateHeld);
}

}  // namespace spinewise
