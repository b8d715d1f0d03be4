#include "windows/calibration/PreviewView.hpp"

#include "CalibrationTestSupport.hpp"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace spinewise {
namespace {

using testing::isHudYellow;
using testing::testPhoto;
using testing::yellowPixels;
using testing::yellowPixelsInRow;

/// A 400x300 preview showing Grace Hopper's portrait (512x600): fitted to
/// 256x300, with black bars 72 wide on either side.
class PreviewViewTest : public ::testing::Test {
protected:
    PreviewViewTest() {
        view.resize(400, 300);
        view.setPicture(photo);
        view.setEyeLevel(0.5);
    }

    QImage rendered() {
        QImage image(view.size(), QImage::Format_ARGB32);
        view.render(&image);
        return image;
    }

    // Bottom-left coordinates: the face from y 100 to 220, the eyes at 190.
    const DetectedFace face{Rect{150, 100, 100, 120}, Point{175, 190}, Point{225, 190}};
    const QImage photo = testPhoto("grace_hopper.jpg");
    PreviewView view;
};

TEST_F(PreviewViewTest, ShowsThePictureAspectFitBetweenBlackBars) {
    const QImage image = rendered();

    for (const int x : {0, 71, 328, 399}) EXPECT_EQ(image.pixel(x, 150), qRgb(0, 0, 0)) << x;
    const QImage fitted = photo.scaled(256, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_EQ(image.pixel(200, 150), fitted.pixel(128, 150));
}

TEST_F(PreviewViewTest, DrawsTheHudOnlyWhileAFaceIsSeen) {
    EXPECT_EQ(yellowPixels(rendered()), 0) << "no face: no rectangle, no circles, no eye-level line";

    view.setDetectedFace(face);
    const QImage image = rendered();

    // The solid line across the whole width at half the height.
    EXPECT_EQ(yellowPixelsInRow(image, 150), 400);
    // The face rectangle's left edge (rows 80 to 200 from the top) is dashed:
    // yellow along part of it, the picture between the dashes.
    int yellowOnEdge = 0;
    for (int y = 82; y < 198; ++y) yellowOnEdge += isHudYellow(image.pixel(150, y)) ? 1 : 0;
    EXPECT_GT(yellowOnEdge, 116 / 4);
    EXPECT_LT(yellowOnEdge, 116 * 3 / 4);
    // Each eye's circle, radius 10: yellow on the circle, not at the centre.
    for (const int eyeX : {175, 225}) {
        int yellowOnCircle = 0;
        for (int dy = -11; dy <= 11; ++dy) yellowOnCircle += isHudYellow(image.pixel(eyeX, 110 + dy)) ? 1 : 0;
        EXPECT_GT(yellowOnCircle, 0) << eyeX;
        EXPECT_FALSE(isHudYellow(image.pixel(eyeX, 110))) << eyeX;
    }

    view.setDetectedFace(std::nullopt);
    EXPECT_EQ(yellowPixels(rendered()), 0);
}

TEST_F(PreviewViewTest, TheEyeLevelLineFollowsTheLevel) {
    view.setDetectedFace(face);
    view.setEyeLevel(0.8);

    const QImage image = rendered();

    EXPECT_EQ(yellowPixelsInRow(image, 300 - 240), 400);
    EXPECT_LT(yellowPixelsInRow(image, 150), 400);
}

TEST_F(PreviewViewTest, TintsThePictureOnlyWhileAFilterIsSet) {
    const QImage plain = rendered();
    const MonochromeFilter filter{Color{1, 0, 0, 1}, 0.8};

    view.setFilter(filter);
    const QImage tinted = rendered();
    view.setFilter(std::nullopt);
    const QImage restored = rendered();

    // Pixel for pixel the filter's maths on what the plain preview shows.
    EXPECT_EQ(tinted, applyMonochrome(plain, filter));
    EXPECT_NE(tinted, plain);
    EXPECT_EQ(restored, plain);
}

TEST_F(PreviewViewTest, ShowsTheNoFaceTextInBlackOutlinedInWhiteAcrossTheMiddle) {
    view.setNoFaceTextVisible(true);
    const QImage image = rendered();
    view.setNoFaceTextVisible(false);
    const QImage hidden = rendered();

    int changedInMiddle = 0;
    int changedElsewhere = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            if (image.pixel(x, y) == hidden.pixel(x, y)) continue;
            (y > 120 && y < 180 ? changedInMiddle : changedElsewhere) += 1;
        }
    EXPECT_GT(changedInMiddle, 1000);
    EXPECT_EQ(changedElsewhere, 0);
    // Black glyphs outlined in white, over the picture.
    bool black = false;
    bool white = false;
    for (int y = 120; y < 180; ++y)
        for (int x = 72; x < 328; ++x) {
            black = black || (image.pixel(x, y) == qRgb(0, 0, 0) && hidden.pixel(x, y) != qRgb(0, 0, 0));
            white = white || (image.pixel(x, y) == qRgb(255, 255, 255) && hidden.pixel(x, y) != qRgb(255, 255, 255));
        }
    EXPECT_TRUE(white);
    EXPECT_TRUE(black);
}

TEST_F(PreviewViewTest, ReportsPressAndDragAsAFractionOfTheHeightFromTheBottom) {
    QSignalSpy levels(&view, &PreviewView::pointerLevelChanged);

    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 240));
    QTest::mouseMove(&view, QPoint(210, 30));
    QTest::mouseMove(&view, QPoint(210, -60));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(210, -60));
    QTest::mouseMove(&view, QPoint(210, 150));  // no button held: not a drag

    ASSERT_EQ(levels.count(), 3);
    EXPECT_DOUBLE_EQ(levels[0][0].toDouble(), 0.2);
    EXPECT_DOUBLE_EQ(levels[1][0].toDouble(), 0.9);
    EXPECT_DOUBLE_EQ(levels[2][0].toDouble(), 1.2);
}

}  // namespace
}  // namespace spinewise
