#pragma once

#include "foundation/ObserverRegistry.hpp"

#include <QLocale>

#include <memory>

class QAction;
class QMainWindow;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace spinewise {

class Preferences;

/// The history window: one row per recorded posture change, with its date in
/// the user's locale and "Good", "Poor" or "Unknown", newest first until the
/// user sorts otherwise, and a toolbar button that clears the history. Built
/// when first shown; from then on it follows the history (the
/// "historyDidChange" notification), also while closed. Main thread only.
class HistoryWindowController {
public:
    /// `preferences` must outlive the controller.
    explicit HistoryWindowController(Preferences& preferences, QLocale locale = QLocale());
    ~HistoryWindowController();
    HistoryWindowController(const HistoryWindowController&) = delete;
    HistoryWindowController& operator=(const HistoryWindowController&) = delete;

    /// Builds the window on first use, then shows it and brings it to the front.
    void showWindow();
    /// Empties the history (the toolbar button's action).
    void clearHistory();

    bool isWindowLoaded() const { return window_ != nullptr; }
    /// The window, built on first use.
    QMainWindow& window();
    QTableView& tableView();
    QAction& clearHistoryAction();

private:
    void windowDidLoad();
    void historyDidChange();

    Preferences& preferences_;
    QLocale locale_;
    std::unique_ptr<QMainWindow> window_;
    QStandardItemModel* rows_ = nullptr;
    QSortFilterProxyModel* sortedRows_ = nullptr;
    QTableView* tableView_ = nullptr;
    QAction* clearHistoryAction_ = nullptr;
    ObservationToken historyObservation_;
};

}  // namespace spinewise
