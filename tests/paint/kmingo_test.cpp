#include "paint/KMingo.h"

#include <gtest/gtest.h>

#include <numbers>

namespace splot {
namespace {

TEST(KMingo, RoundsHalvesToEven) {
    EXPECT_EQ(KMingo(2.5, 0).getIntX(), 2);
    EXPECT_EQ(KMingo(3.5, 0).getIntX(), 4);
    EXPECT_EQ(KMingo(-0.5, 0).getIntX(), 0);
    EXPECT_EQ(KMingo(0, -1.5).getIntY(), -2);
    EXPECT_EQ(KMingo(0, 1.5).getIntY(), 2);
    EXPECT_EQ(KMingo(0, 0.5).getIntY(), 0);
}

TEST(KMingo, DistanceFollowsTheBrushShapeAtTheMomentOfTheCall) {
    PaintingState paint;
    const KMingo a(0, 0), b(3, 4);
    paint.squareBrush = false;
    EXPECT_DOUBLE_EQ(a.DistanceFromPoint(b, paint), 5.0);
    paint.squareBrush = true;
    EXPECT_DOUBLE_EQ(a.DistanceFromPoint(b, paint), 4.0);
    EXPECT_DOUBLE_EQ(b.DistanceFrom(0, 0, paint), 4.0);
    const KMingo copy = b;
    EXPECT_EQ(copy.DistanceFromPoint(b, paint), 0.0);
}

TEST(KMingo, RotationAboutACentre) {
    const KMingo c(10, 20);
    KMingo p(11, 20), r;
    r.RotatePoint(p, c, 0);
    EXPECT_DOUBLE_EQ(r.x, 11);
    EXPECT_DOUBLE_EQ(r.y, 20);
    r.RotatePoint(p, c, std::numbers::pi / 2); // one pixel above C on screen
    EXPECT_NEAR(r.x, 10, 1e-12);
    EXPECT_NEAR(r.y, 21, 1e-12);
    r.RotatePoint(p, c, std::numbers::pi); // reflection through C
    EXPECT_NEAR(r.x, 9, 1e-12);
    EXPECT_NEAR(r.y, 20, 1e-12);
    // The receiver may be P or C itself.
    p.RotatePoint(p, c, std::numbers::pi);
    EXPECT_NEAR(p.x, 9, 1e-12);
    KMingo c2 = c;
    c2.RotatePoint(KMingo(11, 20), c2, std::numbers::pi / 2);
    EXPECT_NEAR(c2.x, 10, 1e-12);
    EXPECT_NEAR(c2.y, 21, 1e-12);
}

TEST(KMingo, OnPageIsStrictWithAPenWidthMargin) {
    PaintingState paint;
    paint.penWidth = 30;
    paint.imageWidth = 100;
    paint.imageHeight = 100;
    EXPECT_TRUE(KMingo(50, 50).OnPage(paint));
    EXPECT_FALSE(KMingo(30, 50).OnPage(paint));
    EXPECT_FALSE(KMingo(70, 50).OnPage(paint));
    EXPECT_TRUE(KMingo(30.001, 69.999).OnPage(paint));
    paint.imageWidth = 60; // at most twice the pen width: nothing is on the page
    EXPECT_FALSE(KMingo(30, 50).OnPage(paint));
    EXPECT_FALSE(KMingo(30.5, 50).OnPage(paint));
}

} // namespace
} // namespace splot
