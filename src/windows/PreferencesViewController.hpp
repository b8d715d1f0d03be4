#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>

namespace spinewise {

/// Base of every tab of the preferences window. The window controller calls
/// the hooks: viewDidLoad once, when the tab is first shown; viewDidAppear
/// and viewDidDisappear each time the tab is shown or hidden (tab switch,
/// window shown or closed). Subclasses that override a hook call the base
/// class's version first.
class PreferencesViewController : public QWidget {
public:
    explicit PreferencesViewController(QString label, QWidget* parent = nullptr);

    /// The tab's name, shown on its tab and as the window title.
    const QString& label() const { return label_; }

    /// The size the tab's layout asked for when it loaded; none before that,
    /// or when the tab asks for no size.
    std::optional<QSize> initialSize() const { return initialSize_; }

    /// Runs viewDidLoad the first time it is called.
    void loadViewIfNeeded();

    /// Records initialSize.
    virtual void viewDidLoad();
    /// Sizes the preferences window for this tab, keeping its top-left corner.
    /// Does nothing outside a preferences window or without an initialSize.
    virtual void viewDidAppear();
    virtual void viewDidDisappear();

private:
    QString label_;
    std::optional<QSize> initialSize_;
    bool loaded_ = false;
};

}  // namespace spinewise
