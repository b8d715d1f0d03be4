#include "platform/QtMainScreen.hpp"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace spinewise {
namespace {

TEST(QtMainScreen, IsThePrimaryScreensSizeAtTheOrigin) {
    const QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const QSize size = primary->geometry().size();
    ASSERT_GT(size.width(), 0);

    EXPECT_EQ(QtMainScreen().frame(), (Rect{0, 0, static_cast<double>(size.width()), static_cast<double>(size.height())}));
}

TEST(QtMainScreen, IsNothingWithoutAScreen) {
    const QtMainScreen screen([]() -> QScreen* { return nullptr; });
    EXPECT_EQ(screen.frame(), std::nullopt);
}

}  // namespace
}  // namespace spinewise
