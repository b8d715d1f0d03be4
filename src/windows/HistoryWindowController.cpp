#include "windows/HistoryWindowController.hpp"

#include "foundation/NotificationCenter.hpp"
#include "settings/Preferences.hpp"
#include "windows/HistoryRows.hpp"

#include <QAction>
#include <QHeaderView>
#include <QMainWindow>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>

#include <string>

namespace spinewise {

HistoryWindowController::HistoryWindowController(Preferences& preferences, QLocale locale)
    : preferences_(preferences), locale_(std::move(locale)) {}

HistoryWindowController::~HistoryWindowController() = default;

void HistoryWindowController::showWindow() {
    QMainWindow& shown = window();
    shown.show();
    shown.raise();
    shown.activateWindow();
}

void HistoryWindowController::clearHistory() { preferences_.setHistory({}); }

QMainWindow& HistoryWindowController::window() {
    if (!window_) windowDidLoad();
    return *window_;
}

QTableView& HistoryWindowController::tableView() {
    window();
    return *tableView_;
}

QAction& HistoryWindowController::clearHistoryAction() {
    window();
    return *clearHistoryAction_;
}

void HistoryWindowController::windowDidLoad() {
    window_ = std::make_unique<QMainWindow>();
    window_->setWindowTitle(QStringLiteral("History"));
    window_->resize(420, 480);

    rows_ = new QStandardItemModel(0, 2, window_.get());
    rows_->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Posture")});
    sortedRows_ = new QSortFilterProxyModel(window_.get());
    sortedRows_->setSourceModel(rows_);
    sortedRows_->setSortRole(HistoryRows::kSortRole);
    sortedRows_->setDynamicSortFilter(true);

    tableView_ = new QTableView(window_.get());
    tableView_->setModel(sortedRows_);
    tableView_->setSortingEnabled(true);
    tableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView_->verticalHeader()->hide();
    tableView_->horizontalHeader()->setStretchLastSection(true);
    window_->setCentralWidget(tableView_);

    auto* toolbar = window_->addToolBar(QStringLiteral("History"));
    toolbar->setMovable(false);
    clearHistoryAction_ = toolbar->addAction(QStringLiteral("Clear History"));
    QObject::connect(clearHistoryAction_, &QAction::triggered, window_.get(), [this] { clearHistory(); });

    HistoryRows::fill(*rows_, preferences_.history(), locale_);
    tableView_->sortByColumn(HistoryRows::kDateColumn, Qt::DescendingOrder);
    tableView_->resizeColumnToContents(HistoryRows::kDateColumn);
    clearHistoryAction_->setEnabled(rows_->rowCount() > 0);
    historyObservation_ = NotificationCenter::defaultCenter().addObserver(
        std::string(Preferences::Notifications::historyDidChange), [this] { historyDidChange(); });
}

void HistoryWindowController::historyDidChange() {
    HistoryRows::fill(*rows_, preferences_.history(), locale_);
    clearHistoryAction_->setEnabled(rows_->rowCount() > 0);
}

}  // namespace spinewise
