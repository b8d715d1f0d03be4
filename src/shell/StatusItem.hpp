#pragma once

#include "shell/StatusItemDatasource.hpp"

#include <QMenu>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

namespace spinewise {

/// The program's entry in the system tray: one 22x22 image, and on a click a
/// menu built at that moment by the datasource. Whether the entry exists
/// follows show() and hide(). Main thread only.
class StatusItem {
public:
    static constexpr int kImageSize = 22;

    /// Creates no tray entry yet. `isSystemTrayAvailable` tells whether a
    /// tray host runs (QSystemTrayIcon::isSystemTrayAvailable in the program).
    StatusItem(std::weak_ptr<StatusItemDatasource> datasource, std::function<bool()> isSystemTrayAvailable);
    ~StatusItem();
    StatusItem(const StatusItem&) = delete;
    StatusItem& operator=(const StatusItem&) = delete;

    /// A new tray entry in place of any earlier one, with the datasource's
    /// image. Without a tray host it logs that once and goes on.
    void show();
    /// Takes the entry out of the tray; it stays until the next show().
    void hide();
    /// Puts the datasource's image into the entry, or no image when the
    /// datasource is gone. Nothing before the first show().
    void update();
    /// Pops up the datasource's menu at the entry. The menu lives until the
    /// next one replaces it.
    void popUpMenu();

    /// The current entry, if shown once.
    QSystemTrayIcon* trayIcon() const { return trayIcon_.get(); }
    /// The last menu popped up.
    QMenu* menu() const { return menu_.get(); }

private:
    void requireMainThread(const char* operation) const;

    std::weak_ptr<StatusItemDatasource> datasource_;
    std::function<bool()> isSystemTrayAvailable_;
    bool reportedMissingTray_ = false;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> trayIcon_;
};

}  // namespace spinewise
