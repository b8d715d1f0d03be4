#include "shell/StatusItem.hpp"

#include "foundation/Fatal.hpp"
#include "foundation/Log.hpp"

#include <QCoreApplication>
#include <QCursor>
#include <QPixmap>
#include <QThread>

#include <string>

namespace spinewise {

StatusItem::StatusItem(std::weak_ptr<StatusItemDatasource> datasource, std::function<bool()> isSystemTrayAvailable)
    : datasource_(std::move(datasource)), isSystemTrayAvailable_(std::move(isSystemTrayAvailable)) {}

StatusItem::~StatusItem() = default;

void StatusItem::show() {
    requireMainThread("show");
    if (!reportedMissingTray_ && !isSystemTrayAvailable_()) {
        logLine("No system tray is available: the status icon is not shown");
        reportedMissingTray_ = true;
    }
    trayIcon_ = std::make_unique<QSystemTrayIcon>();
    QObject::connect(trayIcon_.get(), &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context) popUpMenu();
    });
    update();
    trayIcon_->show();
}

void StatusItem::hide() {
    requireMainThread("hide");
    if (trayIcon_) trayIcon_->hide();
}

void StatusItem::update() {
    requireMainThread("update");
    if (!trayIcon_) return;
    const auto datasource = datasource_.lock();
    const QImage image = datasource ? datasource->imageForStatusItem(*this) : QImage();
    trayIcon_->setIcon(image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image)));
}

void StatusItem::popUpMenu() {
    requireMainThread("popUpMenu");
    const auto datasource = datasource_.lock();
    if (!datasource) fatalError("The status item's datasource is gone");
    // The previous menu may be the one whose choice led here: it goes once
    // control is back in the event loop.
    if (menu_) menu_.release()->deleteLater();
    menu_ = datasource->menuForStatusItem(*this);
    // At the pointer, which is on the entry: tray hosts do not tell where
    // their entries are (XEmbed reports a local frame, StatusNotifierItem none).
    menu_->popup(QCursor::pos());
}

void StatusItem::requireMainThread(const char* operation) const {
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        fatalError(std::string("StatusItem::") + operation + " must run on the main thread");
    }
}

}  // namespace spinewise
