#include "splotting/SplottingRig.h"

#include <cmath>
#include <numbers>

namespace splot::test {
namespace {

double angleDegrees(const KMingo& p, double cx, double cy) {
    double a = std::atan2(p.getY() - cy, p.getX() - cx) * 180 / std::numbers::pi;
    return a < 0 ? a + 360 : a;
}

TEST(KShape, RandomShapeWithFourGivesTenCornersInBandOrder) {
    Random random;
    // R0 draw, phase, centre x and y, m (T = 4 + 1 + 2 = 7, spacing 51.43,
    // lags below 51), then lag 0, lag and outer radius for i = 1..4.
    random.script({50, 30, 300, 250, 1, 10, 0, 100, 20, 0, 5, 109, 50, 60});
    KShape shape;
    shape.AddCorner(KMingo(1, 1));
    shape.MakeRandomShape(4, random, 110, 600, 600);
    EXPECT_FALSE(random.scriptedDrawsLeft());
    ASSERT_EQ(shape.GetNumberOfCorners(), 10);

    const double lags[] = {10, 0, 20, 5, 50};
    const double outer[] = {80, 105, 55, 109.5, 85}; // random(110) / 2 + 55
    const auto theta = [&](int i) { return 30 + lags[i] + i * 360.0 / 7; };
    for (int i = 0; i < 4; ++i) {
        const KMingo& o = shape.corner(i);
        EXPECT_NEAR(o.DistanceFromPoint(KMingo(300, 250), {}), outer[i], 1e-9) << i;
        EXPECT_NEAR(angleDegrees(o, 300, 250), theta(i), 1e-9) << i;
        const KMingo& in = shape.corner(8 - i);
        // Size 110: every inner radius but the first is 80, whatever R is.
        EXPECT_NEAR(in.DistanceFromPoint(KMingo(300, 250), {}), i == 0 ? 36 : 80, 1e-9) << i;
        EXPECT_NEAR(angleDegrees(in, 300, 250), theta(i), 1e-9) << i;
    }
    EXPECT_NEAR(shape.corner(4).DistanceFromPoint(KMingo(300, 250), {}), 80, 1e-9);
    EXPECT_NEAR(angleDegrees(shape.corner(4), 300, 250), theta(4), 1e-9);
    EXPECT_EQ(shape.corner(9).getX(), shape.corner(0).getX());
    EXPECT_EQ(shape.corner(9).getY(), shape.corner(0).getY());
}

TEST(KShape, JoinUpWalksEachLegAndKeepsTheLastCorner) {
    SplottingRig rig;
    KShape& shape = rig.splotting.currentShape;
    shape.AddCorner(KMingo(100, 100));
    shape.AddCorner(KMingo(300, 100));
    shape.AddCorner(KMingo(300, 300));
    rig.splotting.turnDirection = -1;
    shape.JoinUp(rig.travel);
    EXPECT_EQ(rig.host.legs, 2);
    EXPECT_EQ(rig.splotting.turnDirection, 1); // no flipper: every leg turns +1
    ASSERT_EQ(shape.GetNumberOfCorners(), 1);
    EXPECT_EQ(shape.corner(0).getX(), 300);
    EXPECT_EQ(shape.corner(0).getY(), 300);
    // The second leg starts at its corner, not where the first walk stopped.
    ASSERT_GT(rig.display.rects.size(), 39u * 12);
    EXPECT_DOUBLE_EQ(rig.stampX(39 * 12 - 1), 295);
    EXPECT_DOUBLE_EQ(rig.stampX(39 * 12), 300);
    EXPECT_DOUBLE_EQ(rig.stampY(39 * 12), 100);
    EXPECT_FALSE(rig.canvas.pixel(300, 150) == white);
}

TEST(KShape, FlipperDrawsEachLegsTurnSense) {
    for (const std::uint32_t draw : {0u, 1u}) {
        SplottingRig rig;
        rig.state.shape.shapeFlipper = true;
        rig.state.shape.shapeFlipperiness = 5;
        // The leg's sense, then the step's flip draw (99: no flip).
        rig.random.script({draw, 99});
        rig.splot.AddCornerAndJoin(KMingo(100, 100));
        rig.splot.AddCornerAndJoin(KMingo(104, 100));
        EXPECT_EQ(rig.splotting.turnDirection, draw == 0 ? -1 : 1);
        EXPECT_FALSE(rig.random.scriptedDrawsLeft());
    }
}

TEST(KShape, FirstRightClickOnlyRecordsThePoint) {
    SplottingRig rig;
    rig.splot.AddCornerAndJoin(KMingo(100, 100));
    EXPECT_EQ(rig.countNot(white), 0);
    EXPECT_EQ(rig.host.passes, 0);
    rig.splot.AddCornerAndJoin(KMingo(200, 100));
    EXPECT_FALSE(rig.canvas.pixel(150, 100) == white);
    ASSERT_EQ(rig.splotting.currentShape.GetNumberOfCorners(), 1);
    EXPECT_EQ(rig.splotting.currentShape.corner(0).getX(), 200);

    rig.splot.Kill();
    rig.splot.AddCornerAndJoin(KMingo(100, 300));
    EXPECT_TRUE(rig.canvas.pixel(150, 200) == white);
}

TEST(KShape, KillDuringALegLetsTheLegFinishAndEndsTheJoin) {
    SplottingRig rig;
    KShape& shape = rig.splotting.currentShape;
    shape.AddCorner(KMingo(100, 100));
    shape.AddCorner(KMingo(300, 100));
    shape.AddCorner(KMingo(300, 300));
    rig.host.onEvents = [&](int pass) {
        if (pass == 3)
            rig.splot.Kill();
    };
    shape.JoinUp(rig.travel);
    EXPECT_EQ(shape.GetNumberOfCorners(), 0);
    EXPECT_EQ(rig.host.legs, 1);
    EXPECT_FALSE(rig.canvas.pixel(297, 100) == white); // the leg went on to its end
    EXPECT_TRUE(rig.canvas.pixel(300, 150) == white);  // no second leg
}

TEST(KShape, NestedDrawShapesRunsToTheEndInsideTheStep) {
    SplottingRig rig;
    KShape& shape = rig.splotting.currentShape;
    shape.AddCorner(KMingo(100, 100));
    shape.AddCorner(KMingo(300, 100));
    shape.AddCorner(KMingo(300, 300));
    bool nested = false;
    rig.host.onEvents = [&](int) {
        if (!nested) {
            nested = true;
            rig.splot.DrawShapes();
        }
    };
    shape.JoinUp(rig.travel);
    // The nested shape's join left one corner, so the outer join ends after
    // its first leg.
    EXPECT_EQ(shape.GetNumberOfCorners(), 0);
    EXPECT_FALSE(rig.canvas.pixel(297, 100) == white);
}

TEST(Splotting, DrawShapesLotsDrawsThirtyOneShapesAroundTheBaseColour) {
    SplottingRig rig;
    rig.state.shape.shapeDrawLots = true;
    rig.state.shape.shapeChangeColors = true;
    rig.state.colour.red = 40;
    rig.state.colour.green = 200;
    rig.state.colour.blue = 250;
    rig.splot.DrawShapes();
    EXPECT_EQ(rig.splotting.shapeBaseRed, 40);
    EXPECT_EQ(rig.splotting.shapeBaseGreen, 200);
    EXPECT_EQ(rig.splotting.shapeBaseBlue, 250);
    EXPECT_EQ(rig.splotting.currentShape.GetNumberOfCorners(), 1);
    // Every shape has at least 2 * 4 + 1 legs.
    EXPECT_GE(rig.host.legs, 31 * 9);
    EXPECT_LE(std::abs(rig.state.colour.red - 40), 75);
    EXPECT_GE(rig.state.colour.blue, 175);
    EXPECT_GT(rig.countNot(white), 10000);
}

TEST(Splotting, CancelledWalksEndTheShapeBatch) {
    SplottingRig rig;
    rig.state.shape.shapeDrawLots = true;
    rig.host.onEvents = [&](int) { rig.host.cancelled = true; };
    rig.splot.DrawShapes();
    EXPECT_EQ(rig.host.passes, 1);
    EXPECT_EQ(rig.host.legs, 1);
}

} // namespace
} // namespace splot::test
