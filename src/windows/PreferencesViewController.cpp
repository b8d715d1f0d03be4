#include "windows/PreferencesViewController.hpp"

#include "windows/PreferencesWindow.hpp"
#include "windows/PreferencesWindowController.hpp"

namespace spinewise {

PreferencesViewController::PreferencesViewController(QString label, QWidget* parent)
    : QWidget(parent), label_(std::move(label)) {}

void PreferencesViewController::loadViewIfNeeded() {
    if (loaded_) return;
    loaded_ = true;
    viewDidLoad();
}

void PreferencesViewController::viewDidLoad() {
    const QSize hint = sizeHint();
    if (hint.isValid()) initialSize_ = hint;
}

void PreferencesViewController::viewDidAppear() {
    const auto* preferencesWindow = dynamic_cast<const PreferencesWindow*>(window());
    if (!preferencesWindow || !initialSize_) return;
    if (auto* controller = preferencesWindow->controller()) controller->resizeWindow(*this, *initialSize_);
}

void PreferencesViewController::viewDidDisappear() {}

}  // namespace spinewise
