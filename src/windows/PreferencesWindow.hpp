#pragma once

#include <QString>
#include <QWidget>

#include <string_view>

class QStackedWidget;
class QTabBar;

namespace spinewise {

class PreferencesViewController;
class PreferencesWindowController;

/// The preferences window: a row of tabs over the selected tab's page. It
/// stays above normal windows. Closing it posts Notifications::windowDidClose
/// on the default notification centre, once the window is hidden.
class PreferencesWindow final : public QWidget {
public:
    struct Notifications {
        static constexpr std::string_view windowDidClose = "windowDidClose";
    };

    /// `controller` owns the window.
    explicit PreferencesWindow(PreferencesWindowController& controller);

    PreferencesWindowController* controller() const { return controller_; }

    /// Adds a tab; the window takes the tab as its child.
    void addTab(PreferencesViewController* tab);
    PreferencesViewController* tab(int index) const;
    int currentIndex() const;
    PreferencesViewController* currentTab() const;
    /// Selects a tab as the user would, by its tab.
    void selectTab(int index);
    QTabBar& tabBar() const { return *tabBar_; }

    /// Shows the page of `index`; only the shown page counts for the window's minimum size.
    void showPage(int index);
    /// The window's content size that shows a page of `pageSize` under the tab row.
    QSize contentSizeForPage(QSize pageSize) const;

    /// The name desktops show in their window lists (the X11 icon name).
    QString windowListTitle() const { return windowIconText(); }
    void setWindowListTitle(const QString& title) { setWindowIconText(title); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    PreferencesWindowController* controller_;
    QTabBar* tabBar_;
    QStackedWidget* pages_;
};

}  // namespace spinewise
