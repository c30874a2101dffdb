#include "paint/Stroke.h"
#include "support/CanvasFixture.h"

#include <gtest/gtest.h>

namespace splot {
namespace {

TEST(SliderFormulas, FuzzinessIntensityAndSpeckly) {
    EXPECT_DOUBLE_EQ(CalculateFuzziness(1), 0.01);
    EXPECT_DOUBLE_EQ(CalculateFuzziness(100), 1.0);
    EXPECT_DOUBLE_EQ(CalculateIntensity(100), 1.0);
    EXPECT_DOUBLE_EQ(CalculateIntensity(50), 0.75);
    EXPECT_NEAR(CalculateIntensity(1), 0.0199, 1e-12);
    EXPECT_EQ(CalculateSpeckly(37), 37);
}

TEST(Drift, EachOffsetMovesByItsSpeedOnlyWhileItsFlagIsOn) {
    PaintingState paint;
    paint.intensifySpeed = -100;
    paint.fuzzifySpeed = 100;
    paint.growthSpeed = 100;
    paint.depth3dSpeed = -50;
    paint.specklifySpeed = 50;
    StrokeState stroke;
    UpdateBrushVariables(paint, stroke);
    EXPECT_EQ(stroke.intensityOffset, 0.0) << "speeds set, all use flags off: no drift";
    EXPECT_EQ(stroke.widthOffset, 0.0);

    paint.useIntensify = paint.useFuzzify = paint.useGrowth = paint.use3dDepth = paint.useSpecklify = true;
    UpdateBrushVariables(paint, stroke);
    UpdateBrushVariables(paint, stroke);
    EXPECT_DOUBLE_EQ(stroke.intensityOffset, -0.02);
    EXPECT_DOUBLE_EQ(stroke.fuzzinessOffset, 0.01);
    EXPECT_DOUBLE_EQ(stroke.widthOffset, 10.0);
    EXPECT_DOUBLE_EQ(stroke.depthOffset, -10.0);
    EXPECT_DOUBLE_EQ(stroke.speckleOffset, -2.0) << "a positive speed lowers the speckle draw";

    ResetBrushVariables(stroke);
    EXPECT_EQ(stroke.intensityOffset, 0.0);
    EXPECT_EQ(stroke.fuzzinessOffset, 0.0);
    EXPECT_EQ(stroke.widthOffset, 0.0);
    EXPECT_EQ(stroke.depthOffset, 0.0);
    EXPECT_EQ(stroke.speckleOffset, 0.0);
}

// Stamps of a drifting stroke, through the real stamp.
TEST(Drift, IntensifyDownToNothingAndSpecklesDenseAfterFiftyMoves) {
    test::EngineRig rig(30, 30);
    PaintingState& p = rig.state.paint;
    p.useIntensify = true;
    p.intensifySpeed = -100;
    for (int i = 0; i < 100; ++i)
        UpdateBrushVariables(p, rig.state.stroke);
    rig.painter.DrawOnImage(KMingo(15, 15), 5, true);
    EXPECT_EQ(rig.countNot(BgrPixel{0, 0, 0}), 0) << "after 100 moves the intensity factor is 0";

    test::EngineRig speckle(30, 30);
    PaintingState& s = speckle.state.paint;
    s.speckly = 50;
    s.useSpecklify = true;
    s.specklifySpeed = 50;
    for (int i = 0; i < 50; ++i)
        UpdateBrushVariables(s, speckle.state.stroke);
    speckle.painter.DrawOnImage(KMingo(15, 15), 9, true);
    EXPECT_EQ(speckle.countNot(BgrPixel{0, 0, 0}), 69) << "all 69 pixels of the round brush paint";
}

} // namespace
} // namespace splot
