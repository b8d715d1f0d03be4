#pragma once

#include "shell/StatusMenuModel.hpp"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

namespace spinewise {

/// The status menu's items made into a QMenu. Qt menus have no alternate
/// items: both interval items are in the menu and one of them is hidden,
/// the alternate one unless Alt is held.
class StatusMenuWidget {
public:
    /// Called with the item's action and tag when an item is chosen.
    using ActionHandler = std::function<void(StatusMenuAction action, int tag)>;

    StatusMenuWidget(const std::vector<StatusMenuItem>& items, bool alternateHeld, ActionHandler handler);

    /// The menu; it lives until the caller lets it go.
    std::unique_ptr<QMenu> takeMenu() { return std::move(menu_); }

    /// The alternate item and the item it stands in for; they become null
    /// when the menu goes.
    QPointer<QAction> alternateAction() const { return alternate_; }
    QPointer<QAction> primaryAction() const { return primary_; }

    /// Shows the alternate item in place of its primary while `alternateHeld`.
    static void showAlternate(QAction* primary, QAction* alternate, bool alternateHeld);

private:
    void addItems(QMenu& menu, const std::vector<StatusMenuItem>& items);

    ActionHandler handler_;
    std::unique_ptr<QMenu> menu_;
    QPointer<QAction> primary_;
    QPointer<QAction> alternate_;
};

}  // namespace spinewise
