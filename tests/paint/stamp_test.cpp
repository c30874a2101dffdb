#include "colour/ColourState.h"
#include "support/CanvasFixture.h"

#include <cmath>
#include <limits>
#include <set>
#include <utility>

namespace splot {
namespace {

using test::EngineRig;
constexpr BgrPixel black{0, 0, 0};
constexpr BgrPixel white{255, 255, 255};

std::set<std::pair<int, int>> painted(const EngineRig& rig, BgrPixel background) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < rig.canvas.imageHeight(); ++y)
        for (int x = 0; x < rig.canvas.imageWidth(); ++x)
            if (!(rig.canvas.pixel(x, y) == background))
                out.insert({x, y});
    return out;
}

TEST(Stamp, SquareHardWidthThreeCoversNinePixelsAtFullStrength) {
    EngineRig rig;
    rig.state.paint.squareBrush = true;
    rig.painter.DrawOnImage(KMingo(10, 10), 3, true);
    const auto p = painted(rig, black);
    ASSERT_EQ(p.size(), 9u);
    for (int y = 9; y <= 11; ++y)
        for (int x = 9; x <= 11; ++x)
            EXPECT_EQ(rig.canvas.pixel(x, y), (BgrPixel{34, 123, 255})) << x << "," << y;
    EXPECT_TRUE(rig.state.stroke.canvasTouched);
    ASSERT_FALSE(rig.display.rects.empty());
}

TEST(Stamp, EvenWidthsAtWholePixels) {
    EngineRig rig;
    rig.state.paint.squareBrush = true;
    rig.painter.DrawOnImage(KMingo(10, 10), 2, false);
    EXPECT_EQ(painted(rig, black), (std::set<std::pair<int, int>>{{10, 10}}));
    EXPECT_TRUE(rig.display.rects.empty()) << "no repaint without refresh";

    EngineRig rig4;
    rig4.state.paint.squareBrush = true;
    rig4.painter.DrawOnImage(KMingo(10, 10), 4, true);
    std::set<std::pair<int, int>> block;
    for (int y = 9; y <= 11; ++y)
        for (int x = 9; x <= 11; ++x)
            block.insert({x, y});
    EXPECT_EQ(painted(rig4, black), block);
}

TEST(Stamp, RoundWidthFiveCoversTwentyOnePixels) {
    EngineRig rig;
    rig.painter.DrawOnImage(KMingo(10, 10), 5, true);
    const auto p = painted(rig, black);
    EXPECT_EQ(p.size(), 21u);
    for (auto [x, y] : p)
        EXPECT_LT((x - 10) * (x - 10) + (y - 10) * (y - 10), 6.25);
}

TEST(Stamp, AdditionSubtractionAndEraseArithmetic) {
    EngineRig add;
    add.painter.DrawOnImage(KMingo(5, 5), 1, true);
    EXPECT_EQ(add.canvas.pixel(5, 5), (BgrPixel{34, 123, 255}));
    add.painter.DrawOnImage(KMingo(5, 5), 1, true);
    EXPECT_EQ(add.canvas.pixel(5, 5), (BgrPixel{68, 246, 255}));
    add.state.paint.eraseMode = true;
    add.painter.DrawOnImage(KMingo(5, 5), 1, true);
    EXPECT_EQ(add.canvas.pixel(5, 5), (BgrPixel{34, 123, 0}));
    add.painter.DrawOnImage(KMingo(5, 5), 1, true);
    add.painter.DrawOnImage(KMingo(5, 5), 1, true);
    EXPECT_EQ(add.canvas.pixel(5, 5), black) << "never below 0";

    EngineRig sub(20, 20, true);
    sub.painter.DrawOnImage(KMingo(5, 5), 1, true);
    // Red loses Round(78.5) = 78, green Round(144.5) = 144, blue 189.
    EXPECT_EQ(sub.canvas.pixel(5, 5), (BgrPixel{66, 111, 177}));
    sub.state.paint.eraseMode = true;
    sub.painter.DrawOnImage(KMingo(5, 5), 1, true);
    sub.painter.DrawOnImage(KMingo(5, 5), 1, true);
    EXPECT_EQ(sub.canvas.pixel(5, 5), white) << "never above 255";
}

TEST(Stamp, IntensityAndDriftScaleTheAmount) {
    EngineRig rig;
    rig.state.paint.intensity = 0.5;
    rig.painter.DrawOnImage(KMingo(5, 5), 1, true);
    // 255 * 0.5 = 127.5 -> 128, 61.5 -> 62, 17.
    EXPECT_EQ(rig.canvas.pixel(5, 5), (BgrPixel{17, 62, 128}));
    rig.state.stroke.intensityOffset = -0.5; // clamped sum 0: nothing changes
    rig.painter.DrawOnImage(KMingo(5, 5), 1, true);
    EXPECT_EQ(rig.canvas.pixel(5, 5), (BgrPixel{17, 62, 128}));
}

TEST(Stamp, FuzzyCoreHasHalfStrengthAndRimNearZero) {
    EngineRig rig(60, 60);
    rig.state.paint.fuzzy = true;
    rig.state.paint.fuzziness = 0.5;
    rig.state.colour = ColourState{};
    rig.state.colour.red = rig.state.colour.green = rig.state.colour.blue = 255;
    rig.painter.DrawOnImage(KMingo(30, 30), 41, true);
    EXPECT_EQ(rig.canvas.pixel(30, 30), (BgrPixel{128, 128, 128})); // 127.5 -> 128
    EXPECT_EQ(rig.canvas.pixel(35, 30), (BgrPixel{128, 128, 128})); // inside the core
    // Just inside the rim (d = 20 of r = 20.5, m = 10.25): q = 0.951, o = 0.0062 -> 1.58 -> 2.
    EXPECT_EQ(rig.canvas.pixel(50, 30), (BgrPixel{2, 2, 2}));
    EXPECT_EQ(rig.canvas.pixel(51, 30), black);
}

TEST(Stamp, WidthIsBoundedAndDrifts) {
    EngineRig rig;
    EXPECT_EQ(rig.painter.stampWidth(0), 1);
    EXPECT_EQ(rig.painter.stampWidth(500), 200);
    rig.state.circle.circleUsePenWidth = true;
    EXPECT_EQ(rig.painter.stampWidth(5000, widestStamp(rig.state.circle)), 1000);
    rig.state.stroke.widthOffset = 2.5;
    EXPECT_EQ(rig.painter.stampWidth(30), 32); // 32.5 -> 32
    rig.state.stroke.widthOffset = 3.5;
    EXPECT_EQ(rig.painter.stampWidth(30), 34);
}

TEST(Stamp, SpeckleDensityOneKeepsAboutOnePixelInAHundred) {
    EngineRig rig(200, 200);
    rig.state.paint.squareBrush = true;
    rig.state.paint.speckly = 1;
    rig.painter.DrawOnImage(KMingo(100, 100), 200, true);
    const int n = rig.countNot(black); // 39601 candidates, expect ~396
    EXPECT_GT(n, 300);
    EXPECT_LT(n, 500);
    // Offset -50 with speckly 50: every draw passes, no draw needed.
    EngineRig all(50, 50);
    all.state.paint.speckly = 50;
    all.state.stroke.speckleOffset = -50;
    all.painter.DrawOnImage(KMingo(25, 25), 11, true);
    EngineRig solid(50, 50);
    solid.painter.DrawOnImage(KMingo(25, 25), 11, true);
    EXPECT_EQ(all.countNot(black), solid.countNot(black));
}

TEST(Stamp, SpeckleThresholdCountsThePaintingDraws) {
    const double inf = std::numeric_limits<double>::infinity();
    const double offsets[] = {-inf, -1e300, -150, -99.5, -2.5, -0.5,  -0.49, 0,           0.25,
                              0.5,  1.5,    37.5, 99.5,  150,  1e300, inf,   std::nan("")};
    Random random(1);
    for (const double offset : offsets)
        for (int speckly = -1; speckly <= tbSpecklyMax + 1; ++speckly) {
            int painting = 0; // draws t in 0..99 that paint, by the rule itself
            for (int t = 0; t < tbSpecklyMax; ++t)
                painting += roundEven(t + offset) < speckly ? 1 : 0;
            EXPECT_EQ(SpeckleTest(random, speckly, offset).threshold(), painting)
                << "speckly " << speckly << " offset " << offset;
        }
}

TEST(Stamp, ThreeDimensionalOffsets) {
    EngineRig add(40, 20);
    add.state.paint.draw3d = true;
    add.state.paint.depth3d = 5;
    add.painter.DrawOnImage(KMingo(10, 10), 1, true);
    EXPECT_EQ(add.canvas.pixel(15, 10), (BgrPixel{0, 0, 60}));
    EXPECT_EQ(add.canvas.pixel(10, 10), (BgrPixel{60, 0, 0}));
    EXPECT_EQ(add.countNot(black), 2);

    EngineRig sub(40, 20, true);
    sub.state.paint.draw3d = true;
    sub.state.paint.depth3d = 5;
    sub.painter.DrawOnImage(KMingo(10, 10), 1, true);
    EXPECT_EQ(sub.canvas.pixel(5, 10), (BgrPixel{195, 195, 255}));
    EXPECT_EQ(sub.canvas.pixel(10, 10), (BgrPixel{255, 195, 195}));

    // Depth 0 in subtraction: both images on one pixel.
    EngineRig same(40, 20, true);
    same.state.paint.draw3d = true;
    same.painter.DrawOnImage(KMingo(10, 10), 1, true);
    EXPECT_EQ(same.canvas.pixel(10, 10), (BgrPixel{195, 135, 195}));
}

TEST(Stamp, ThreeDimensionalPenLeftOfTheCanvasPaintsTheShiftedHalf) {
    EngineRig rig(100, 40);
    rig.state.paint.draw3d = true;
    rig.state.paint.depth3d = 60;
    rig.state.paint.squareBrush = true;
    rig.painter.DrawOnImage(KMingo(-50, 20), 9, true);
    for (int x = 0; x < 100; ++x) {
        const BgrPixel p = rig.canvas.pixel(x, 20);
        const bool inRed = x >= 6 && x <= 14;
        EXPECT_EQ(p.red, inRed ? 60 : 0) << x;
        EXPECT_EQ(p.blue, 0) << x;
    }
}

TEST(Stamp, ThreeDimensionalWithActionPaintsNothing) {
    EngineRig rig;
    rig.state.paint.draw3d = true;
    rig.state.colour.drawWithAction = true;
    rig.painter.DrawOnImage(KMingo(10, 10), 5, true);
    EXPECT_EQ(rig.countNot(black), 0);
    EXPECT_FALSE(rig.state.stroke.canvasTouched);
}

TEST(Stamp, PensWithoutAPlaceOrFarAwayPaintNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (bool threeD : {false, true}) {
        for (auto [px, py] : {std::pair{nan, 10.0},
                              {10.0, nan},
                              {inf, 10.0},
                              {10.0, -inf},
                              {1e300, 10.0},
                              {-3e9, 10.0},
                              {10.0, 2147483647.0}}) {
            EngineRig rig;
            rig.state.paint.draw3d = threeD;
            rig.painter.DrawOnImage(KMingo(px, py), 9, true);
            EXPECT_EQ(rig.countNot(black), 0) << px << "," << py;
            EXPECT_FALSE(rig.state.stroke.canvasTouched);
            EXPECT_TRUE(rig.display.rects.empty());
        }
    }
}

TEST(Stamp, ActionCoverageAppliesTheActionOncePerStroke) {
    EngineRig rig;
    rig.state.colour.drawWithAction = true;
    rig.state.paint.squareBrush = true;
    // The stroke-start source is the black picture.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            rig.canvas.actionSourceRow(y)[x] = black;
    rig.painter.DrawOnImage(KMingo(10, 10), 3, true);
    EXPECT_EQ(rig.canvas.pixel(10, 10), white);
    EXPECT_EQ(rig.canvas.coverageRow(10)[10], 1.0);
    rig.painter.DrawOnImage(KMingo(10, 10), 3, true);
    EXPECT_EQ(rig.canvas.pixel(10, 10), white) << "full coverage: the pixel is left alone";
    rig.canvas.clearCoverage();
    EXPECT_EQ(rig.canvas.coverageRow(10)[10], 0.0);

    // Fuzzy, not silly, strength 0.5 at the centre of a width-1 stamp? Use
    // a wide fuzzy stamp: the centre weight is 1 with an action.
    EngineRig half;
    half.state.colour.drawWithAction = true;
    half.state.paint.fuzzy = true;
    half.state.paint.fuzziness = 1.0;
    half.painter.DrawOnImage(KMingo(10, 10), 4, true);
    // d = 1 of r = 2, m = 0: o = 0.5 -> 127.5 -> 128.
    EXPECT_EQ(half.canvas.pixel(11, 10), (BgrPixel{128, 128, 128}));
}

TEST(Stamp, SillyActionsCompoundOnTheLivePicture) {
    EngineRig rig;
    rig.state.colour.drawWithAction = true;
    rig.state.colour.silly = true;
    rig.painter.DrawOnImage(KMingo(10, 10), 1, true);
    EXPECT_EQ(rig.canvas.pixel(10, 10), white);
    rig.painter.DrawOnImage(KMingo(10, 10), 1, true);
    EXPECT_EQ(rig.canvas.pixel(10, 10), black);
}

TEST(Stamp, RandomColoursStayBelowTheChosenColour) {
    EngineRig rig;
    rig.state.colour.randomColourMethod = RandomColourMethod::Stroke;
    rig.state.colour.green = 0;
    for (int i = 0; i < 50; ++i) {
        rig.painter.SetColorVariables();
        EXPECT_LT(rig.state.paint.paintRed, 255);
        EXPECT_EQ(rig.state.paint.paintGreen, 0);
        EXPECT_LT(rig.state.paint.paintBlue, 34);
    }
    rig.random.script({7, 3});
    rig.state.colour.green = 123;
    rig.painter.SetRandomColorVariables();
    EXPECT_EQ(rig.state.paint.paintRed, 7);
    EXPECT_EQ(rig.state.paint.paintGreen, 3);
}

TEST(Stamp, RandomColourMethodNamesAreExact) {
    ColourState c;
    SetRandomColourMethod(c, "point");
    EXPECT_EQ(c.randomColourMethod, RandomColourMethod::Point);
    SetRandomColourMethod(c, "stroke");
    EXPECT_EQ(c.randomColourMethod, RandomColourMethod::Stroke);
    SetRandomColourMethod(c, "None");
    EXPECT_EQ(c.randomColourMethod, RandomColourMethod::Unchecked);
    SetRandomColourMethod(c, "none");
    EXPECT_EQ(c.randomColourMethod, RandomColourMethod::None);
}

TEST(Outline, LeavesEveryCanvasByteAsItWas) {
    for (bool square : {false, true}) {
        for (int width : {1, 2, 3, 5, 8, 30, 200}) {
            EngineRig rig(64, 48);
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x)
                    rig.canvas.pixel(x, y) =
                        BgrPixel{static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 5),
                                 static_cast<std::uint8_t>(x + y)};
            std::vector<BgrPixel> before;
            for (int y = 0; y < 48; ++y)
                before.insert(before.end(), rig.canvas.row(y), rig.canvas.row(y) + 64);
            rig.state.paint.squareBrush = square;
            rig.state.paint.penWidth = width;
            for (auto [px, py] : {std::pair{32.0, 24.0}, {0.0, 0.0}, {63.0, 47.0}, {-5.0, 50.0}, {1.5, 46.5}})
                rig.painter.BrushDisplay(KMingo(px, py));
            std::vector<BgrPixel> after;
            for (int y = 0; y < 48; ++y)
                after.insert(after.end(), rig.canvas.row(y), rig.canvas.row(y) + 64);
            EXPECT_EQ(before, after) << "square " << square << " width " << width;
            ASSERT_EQ(rig.display.outlines.size(), 5u);
        }
    }
}

TEST(Outline, DotPlacement) {
    EngineRig rig(40, 40);
    rig.state.paint.squareBrush = true;
    rig.state.paint.penWidth = 8; // R = 4, four dots: one per side, at its second corner
    rig.painter.BrushDisplay(KMingo(10, 10));
    ASSERT_EQ(rig.display.outlines.size(), 1u);
    const auto& dots = rig.display.outlines[0];
    ASSERT_EQ(dots.size(), 4u);
    const int expected[4][2] = {{6, 14}, {6, 6}, {14, 6}, {14, 14}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dots[i].x, expected[i][0]) << i;
        EXPECT_EQ(dots[i].y, expected[i][1]) << i;
    }
    // Round: n = max(4, ceil(w / 4)) dots on a ring of radius ceil(w / 2).
    rig.state.paint.squareBrush = false;
    rig.state.paint.penWidth = 41;
    rig.painter.BrushDisplay(KMingo(20, 20));
    ASSERT_EQ(rig.display.outlines[1].size(), 11u);
    for (const CanvasPoint& d : rig.display.outlines[1]) {
        const double r = std::hypot(d.x - 20, d.y - 20);
        EXPECT_NEAR(r, 21, 0.75);
    }
}

TEST(Outline, DotColours) {
    EngineRig rig;
    rig.painter.drawDots(1, 1);
    EXPECT_EQ(rig.canvas.pixel(1, 1), (BgrPixel{200, 190, 210}));
    rig.canvas.pixel(2, 2) = white;
    rig.painter.drawDots(2, 2);
    EXPECT_EQ(rig.canvas.pixel(2, 2), (BgrPixel{55, 65, 45}));
    rig.painter.drawDots(-1, 5); // outside: ignored
    rig.painter.drawDots(20, 5);
}

TEST(Outline, EdgePensRepaintTheWholePicture) {
    EngineRig rig;
    rig.state.paint.penWidth = 4;
    rig.painter.BrushDisplay(KMingo(10, 10));
    EXPECT_EQ(rig.display.whole, 0);
    rig.painter.BrushDisplay(KMingo(1, 10));
    EXPECT_EQ(rig.display.whole, 1);
    rig.painter.BrushDisplay(KMingo(10, 17.5));
    EXPECT_EQ(rig.display.whole, 2);
}

} // namespace
} // namespace splot

namespace splot::test {
namespace {

// random(0) is 0 and still takes one draw, so a sequence of draws does not
// depend on the bounds asked for; scripted draws are taken the same way.
TEST(Random, EveryCallTakesExactlyOneDraw) {
    Random a(99), b(99);
    EXPECT_EQ(a.random(0), 0U);
    EXPECT_EQ(a.random(-3), 0U);
    static_cast<void>(b.random(1000));
    static_cast<void>(b.random(7));
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(a.random(1 + i * 37), b.random(1 + i * 37));
    Random s;
    s.script({5, 9});
    EXPECT_EQ(s.random(0), 0U);
    EXPECT_EQ(s.random(10), 9U);
    EXPECT_FALSE(s.scriptedDrawsLeft());
}

} // namespace
} // namespace splot::test
