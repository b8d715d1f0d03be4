// The status item in a real system tray (trayer on a private X server): the
// entry appears, shows its image, and a left click pops up the menu built then.
#include "shell/StatusItem.hpp"

#include <QCursor>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace spinewise::testing {
namespace {

constexpr int kWaitMilliseconds = 5000;

class OneItemDatasource final : public StatusItemDatasource {
public:
    std::unique_ptr<QMenu> menuForStatusItem(StatusItem&) override {
        ++menusBuilt;
        auto menu = std::make_unique<QMenu>();
        menu->addAction("Quit");
        return menu;
    }
    QImage imageForStatusItem(StatusItem&) override {
        QImage image(StatusItem::kImageSize, StatusItem::kImageSize, QImage::Format_RGBA8888);
        image.fill(Qt::darkGray);
        return image;
    }

    int menusBuilt = 0;
};

TEST(TrayIntegrationTest, TheEntrySitsInTheTrayAndALeftClickPopsUpTheMenu) {
    ASSERT_TRUE(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, kWaitMilliseconds));
    const auto datasource = std::make_shared<OneItemDatasource>();
    StatusItem item(datasource, [] { return QSystemTrayIcon::isSystemTrayAvailable(); });
    item.show();

    // The tray's panel holds only this entry.
    ASSERT_TRUE(QTest::qWaitFor([&item] { return item.trayIcon()->geometry().isValid(); }, kWaitMilliseconds))
        << "the tray host embeds the entry";
    ASSERT_EQ(QProcess::execute("sh", {"-c", "xdotool mousemove --window \"$(xdotool search --onlyvisible --class "
                                             "trayer | head -n 1)\" 11 11 click 1"}),
              0);

    ASSERT_TRUE(QTest::qWaitFor([&item] { return item.menu() && item.menu()->isVisible(); }, kWaitMilliseconds));
    EXPECT_EQ(datasource->menusBuilt, 1);
    EXPECT_EQ(item.menu()->actions().at(0)->text(), "Quit");
    EXPECT_TRUE(item.menu()->geometry().adjusted(-1, -1, 1, 1).contains(QCursor::pos())) << "it opens at the entry";
    item.menu()->hide();
}

}  // namespace
}  // namespace spinewise::testing
