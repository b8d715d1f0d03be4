#include "windows/PreferencesWindowController.hpp"

#include "foundation/NotificationCenter.hpp"
#include "foundation/Screen.hpp"
#include "windows/PreferencesViewController.hpp"
#include "windows/PreferencesWindow.hpp"

#include <QTabBar>
#include <QWindow>

#include <cmath>
#include <utility>

namespace spinewise {

PreferencesWindowController::PreferencesWindowController(
    std::vector<std::unique_ptr<PreferencesViewController>> tabs, const MainScreen& mainScreen)
    : mainScreen_(mainScreen), window_(std::make_unique<PreferencesWindow>(*this)) {
    for (auto& tab : tabs) window_->addTab(tab.release());
    window_->showPage(window_->currentIndex());
    QObject::connect(&window_->tabBar(), &QTabBar::currentChanged, window_.get(),
                     [this](int index) { tabSelected(index); });
    closeObservation_ = NotificationCenter::defaultCenter().addObserver(
        std::string(PreferencesWindow::Notifications::windowDidClose), [this] { windowDidClose(); });
}

PreferencesWindowController::~PreferencesWindowController() = default;

void PreferencesWindowController::setDelegate(std::weak_ptr<PreferencesWindowControllerDelegate> delegate) {
    delegate_ = std::move(delegate);
}

bool PreferencesWindowController::isWindowVisible() const { return window_->isVisible(); }

QRect PreferencesWindowController::windowFrame() const { return window_->frameGeometry(); }

void PreferencesWindowController::setWindowFrame(const QRect& frame) {
    const QSize decoration = window_->frameGeometry().size() - window_->size();
    window_->move(frame.topLeft());
    window_->resize(frame.size() - decoration);
}

void PreferencesWindowController::showWindow() {
    if (const auto delegate = delegate_.lock()) delegate->preferencesWindowControllerWillShowWindow(*this);
    if (!window_->isVisible()) {
        // Placed before it maps too, so it does not appear elsewhere first.
        placeAtTopOfMainScreen();
        window_->show();
        currentTabAppears();
    }
    window_->raise();
    window_->activateWindow();
    placeAtTopOfMainScreen();
}

void PreferencesWindowController::resizeWindow(const PreferencesViewController& tab, QSize contentSize) {
    window_->setWindowTitle(tab.label());
    window_->setWindowListTitle(QStringLiteral("Preferences \u2014 ") + tab.label());
    // Qt keeps a top-level window's top-left corner when it resizes.
    window_->resize(window_->contentSizeForPage(contentSize));
}

void PreferencesWindowController::currentTabAppears() {
    auto* tab = window_->currentTab();
    if (!tab) return;
    shownTab_ = tab;
    tab->loadViewIfNeeded();
    tab->viewDidAppear();
}

void PreferencesWindowController::shownTabDisappears() {
    if (!shownTab_) return;
    std::exchange(shownTab_, nullptr)->viewDidDisappear();
}

void PreferencesWindowController::tabSelected(int index) {
    if (!window_->isVisible()) {
        window_->showPage(index);
        return;
    }
    shownTabDisappears();
    window_->showPage(index);
    currentTabAppears();
}

void PreferencesWindowController::windowDidClose() {
    if (!window_->isVisible()) shownTabDisappears();
    if (const auto delegate = delegate_.lock()) delegate->preferencesWindowControllerDidCloseWindow(*this);
}

void PreferencesWindowController::placeAtTopOfMainScreen() {
    const auto screen = mainScreen_.frame();
    if (!screen) return;
    const QRect frame = window_->frameGeometry();
    const auto x = static_cast<int>(std::lround((screen->width - frame.width()) * 0.5));
    window_->move(x, 0);
    // Asked of the window system as the frame's position, not the content's,
    // so that the window manager keeps the title bar on the screen.
    window_->winId();
    window_->windowHandle()->setFramePosition(QPoint(x, 0));
}

}  // namespace spinewise
