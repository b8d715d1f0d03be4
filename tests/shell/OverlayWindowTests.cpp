// The alert overlay window: how it is made, its colour and opacity, and
// how it covers the screen.
#include "shell/OverlayWindow.hpp"

#include <QApplication>

#include <gtest/gtest.h>

namespace spinewise::testing {
namespace {

/// Qt keeps a window's opacity in 8 bits.
constexpr double kOpacityStep = 1.0 / 255;

TEST(OverlayWindowTest, StartsAsAFramelessClickThroughWindowAboveOthers) {
    OverlayWindow window;
    const Qt::WindowFlags flags = window.windowFlags();
    for (const auto flag : {Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint, Qt::WindowTransparentForInput,
                            Qt::WindowDoesNotAcceptFocus, Qt::X11BypassWindowManagerHint}) {
        EXPECT_TRUE(flags.testFlag(flag)) << flag;
    }
    EXPECT_EQ(window.windowType(), Qt::Tool);
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(window.geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(window.color(), QColor(255, 0, 0));
    EXPECT_NEAR(window.windowOpacity(), 0.3, kOpacityStep);
    EXPECT_FALSE(window.isVisible());
}

TEST(OverlayWindowTest, OpacityFallsFromPointSevenToPointThreeAsTransparencyRises) {
    const struct {
        double transparency;
        double opacity;
    } cases[] = {{0, 0.7}, {0.25, 0.6}, {0.5, 0.5}, {1, 0.3}};
    OverlayWindow window;
    for (const auto& [transparency, opacity] : cases) {
        EXPECT_DOUBLE_EQ(OverlayWindow::opacityForTransparency(transparency), opacity) << transparency;
        window.setTransparency(transparency);
        EXPECT_NEAR(window.windowOpacity(), opacity, kOpacityStep) << transparency;
    }
}

TEST(OverlayWindowTest, TheColoursAlphaIsNotUsed) {
    OverlayWindow window;
    window.setColor({0, 0.5, 1, 0.2});
    EXPECT_EQ(window.color(), QColor::fromRgbF(0, 0.5F, 1, 1));
    window.setColor({2, -1, 0.25, 0});
    EXPECT_EQ(window.color(), QColor::fromRgbF(1, 0, 0.25F, 1)) << "components out of range are clamped";
}

TEST(OverlayWindowTest, CoversTheScreenWithoutTakingTheFocus) {
    OverlayWindow window;
    window.showCovering(QSize(1440, 900));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), QRect(0, 0, 1440, 900));
    EXPECT_NE(QApplication::activeWindow(), &window);
    EXPECT_FALSE(window.hasFocus());
}

TEST(OverlayWindowTest, WithoutBlendingOnlyABandAlongTheEdgesIsShown) {
    OverlayWindow blended;
    blended.showCovering(QSize(1440, 900));
    EXPECT_TRUE(blended.mask().isEmpty()) << "the whole window";

    OverlayWindow edges(false);
    edges.showCovering(QSize(1440, 900));
    const QRegion band = edges.mask();
    for (const QPoint inside : {QPoint(0, 0), QPoint(1439, 899), QPoint(23, 450), QPoint(720, 876)}) {
        EXPECT_TRUE(band.contains(inside)) << inside.x() << "," << inside.y();
    }
    for (const QPoint outside : {QPoint(24, 24), QPoint(720, 450), QPoint(1415, 875)}) {
        EXPECT_FALSE(band.contains(outside)) << outside.x() << "," << outside.y();
    }
}

}  // namespace
}  // namespace spinewise::testing
