#include "platform/FrontmostApplication.hpp"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace spinewise {
namespace {

TEST(FrontmostApplication, IsTheProgramWhileOneOfItsWindowsIsActive) {
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    EXPECT_FALSE(isProgramFrontmost());

    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(isProgramFrontmost());

    window.hide();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow() == nullptr; }));
    EXPECT_FALSE(isProgramFrontmost());
}

}  // namespace
}  // namespace spinewise
