#include "windows/PreferencesWindow.hpp"

#include "foundation/NotificationCenter.hpp"
#include "windows/PreferencesViewController.hpp"

#include <QCloseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace spinewise {

PreferencesWindow::PreferencesWindow(PreferencesWindowController& controller)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      controller_(&controller),
      tabBar_(new QTabBar(this)),
      pages_(new QStackedWidget(this)) {
    tabBar_->setExpanding(false);
    tabBar_->setDocumentMode(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabBar_, 0, Qt::AlignHCenter);
    layout->addWidget(pages_, 1);
}

void PreferencesWindow::addTab(PreferencesViewController* tab) {
    tab->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    pages_->addWidget(tab);
    tabBar_->addTab(tab->label());
}

PreferencesViewController* PreferencesWindow::tab(int index) const {
    return static_cast<PreferencesViewController*>(pages_->widget(index));
}

int PreferencesWindow::currentIndex() const { return tabBar_->currentIndex(); }

PreferencesViewController* PreferencesWindow::currentTab() const { return tab(currentIndex()); }

void PreferencesWindow::selectTab(int index) { tabBar_->setCurrentIndex(index); }

void PreferencesWindow::showPage(int index) {
    for (int i = 0; i < pages_->count(); ++i) {
        const auto policy = i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        pages_->widget(i)->setSizePolicy(policy, policy);
    }
    pages_->setCurrentIndex(index);
}

QSize PreferencesWindow::contentSizeForPage(QSize pageSize) const {
    return {pageSize.width(), pageSize.height() + tabBar_->sizeHint().height()};
}

void PreferencesWindow::closeEvent(QCloseEvent* event) {
    // Closing a window that is not shown is no close; Qt still asks.
    const bool wasVisible = isVisible();
    event->accept();
    hide();
    if (wasVisible) NotificationCenter::defaultCenter().post(Notifications::windowDidClose);
}

}  // namespace spinewise
