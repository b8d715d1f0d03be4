// The tray entry: shown and hidden on request, its image from the datasource,
// and a menu built at the moment of each click.
#include "shell/StatusItem.hpp"

#include "support/CommonTestSupport.hpp"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace spinewise::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class CountingDatasource final : public StatusItemDatasource {
public:
    std::unique_ptr<QMenu> menuForStatusItem(StatusItem&) override {
        auto menu = std::make_unique<QMenu>();
        menu->addAction(QString("Menu %1").arg(++menusBuilt));
        return menu;
    }
    QImage imageForStatusItem(StatusItem&) override {
        QImage image(StatusItem::kImageSize, StatusItem::kImageSize, QImage::Format_RGBA8888);
        image.fill(color);
        return image;
    }

    int menusBuilt = 0;
    QColor color = Qt::gray;
};

class StatusItemTest : public ::testing::Test {
protected:
    QColor iconColor() const {
        return item.trayIcon()->icon().pixmap(StatusItem::kImageSize).toImage().pixelColor(0, 0);
    }

    std::shared_ptr<CountingDatasource> datasource = std::make_shared<CountingDatasource>();
    bool trayAvailable = true;
    LogRecorder log;
    StatusItem item{datasource, [this] { return trayAvailable; }};
};

TEST_F(StatusItemTest, UpdateBeforeTheFirstShowDoesNothing) {
    item.update();
    item.hide();
    EXPECT_EQ(item.trayIcon(), nullptr);
}

TEST_F(StatusItemTest, ShowPutsTheDatasourcesImageIntoANewEntry) {
    item.show();
    ASSERT_NE(item.trayIcon(), nullptr);
    EXPECT_TRUE(item.trayIcon()->isVisible());
    EXPECT_EQ(item.trayIcon()->icon().availableSizes(), QList<QSize>{QSize(22, 22)});
    EXPECT_EQ(iconColor(), QColor(Qt::gray));

    datasource->color = Qt::darkGray;
    item.update();
    EXPECT_EQ(iconColor(), QColor(Qt::darkGray));
}

TEST_F(StatusItemTest, EachShowReplacesTheEntryAndHideTakesItOut) {
    item.show();
    const QPointer<QSystemTrayIcon> first = item.trayIcon();
    item.show();
    EXPECT_TRUE(first.isNull()) << "the older entry is gone";
    ASSERT_NE(item.trayIcon(), nullptr);

    item.hide();
    EXPECT_FALSE(item.trayIcon()->isVisible());
    item.show();
    EXPECT_TRUE(item.trayIcon()->isVisible());
}

TEST_F(StatusItemTest, UpdateWithoutDatasourceClearsTheImage) {
    item.show();
    datasource.reset();
    item.update();
    EXPECT_TRUE(item.trayIcon()->icon().isNull());
}

TEST_F(StatusItemTest, AClickPopsUpAMenuBuiltThenAndTheNextClickReplacesIt) {
    item.show();
    emit item.trayIcon()->activated(QSystemTrayIcon::Trigger);
    ASSERT_NE(item.menu(), nullptr);
    const QPointer<QMenu> first = item.menu();
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->actions().at(0)->text(), "Menu 1");

    emit item.trayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(item.menu()->actions().at(0)->text(), "Menu 2");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull()) << "the previous menu is deleted once control returns to the event loop";

    emit item.trayIcon()->activated(QSystemTrayIcon::DoubleClick);
    emit item.trayIcon()->activated(QSystemTrayIcon::MiddleClick);
    EXPECT_EQ(datasource->menusBuilt, 2);
    item.menu()->hide();
}

TEST_F(StatusItemTest, WithoutATrayHostItSaysSoOnceAndGoesOn) {
    trayAvailable = false;
    item.show();
    item.show();
    EXPECT_THAT(log.lines(), ElementsAre("No system tray is available: the status icon is not shown"));
    EXPECT_NE(item.trayIcon(), nullptr);
}

TEST_F(StatusItemTest, WithATrayHostItSaysNothing) {
    item.show();
    EXPECT_THAT(log.lines(), IsEmpty());
}

using StatusItemDeathTest = StatusItemTest;

TEST_F(StatusItemDeathTest, AMenuWithoutDatasourceIsAProgrammingError) {
    item.show();
    datasource.reset();
    EXPECT_DEATH(item.popUpMenu(), "Fatal error: The status item's datasource is gone");
}

}  // namespace
}  // namespace spinewise::testing
