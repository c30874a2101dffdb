#include "splotting/SplottingRig.h"

#include <cmath>
#include <numbers>

namespace splot::test {
namespace {

TEST(PenTravel, StraightWalkStepsAlongTheRowAndEndsAt295) {
    SplottingRig rig;
    const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(300, 100));
    // At x = 290 the distance left is exactly the pen width: one more step.
    EXPECT_EQ(r.end, WalkEnd::Arrived);
    EXPECT_EQ(r.steps, 39);
    EXPECT_DOUBLE_EQ(r.position.getX(), 295);
    EXPECT_DOUBLE_EQ(r.position.getY(), 100);
    EXPECT_EQ(rig.host.passes, 39);
    // Each 5-pixel step is nearest(2 * 5) + 2 = 12 stamps, 5 wide.
    ASSERT_EQ(rig.display.rects.size(), 39u * 12);
    EXPECT_DOUBLE_EQ(rig.stampX(0), 100);
    EXPECT_DOUBLE_EQ(rig.stampX(rig.display.rects.size() - 1), 295);
    EXPECT_EQ(rig.highestTop(), 102);
    EXPECT_FALSE(rig.canvas.pixel(297, 100) == white);
    EXPECT_TRUE(rig.canvas.pixel(298, 100) == white);
}

TEST(PenTravel, StartOnTargetDrawsNothingAndProcessesNoEvents) {
    SplottingRig rig;
    const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(100, 100));
    EXPECT_EQ(r.end, WalkEnd::AtTarget);
    EXPECT_EQ(rig.host.passes, 0);
    EXPECT_EQ(rig.countNot(white), 0);
}

TEST(PenTravel, TargetWithinAPenWidthStillGivesOneStep) {
    SplottingRig rig;
    const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(104, 100));
    EXPECT_EQ(r.end, WalkEnd::Arrived);
    EXPECT_EQ(r.steps, 1);
    EXPECT_DOUBLE_EQ(r.position.getX(), 105);
}

TEST(PenTravel, SquareBrushMeasuresStepsAndArrivalByTheLargerAxis) {
    // 200 across and 100 up: the square metric makes every step (+5, +2.5)
    // and arrives after 39; the round one steps 5 along the diagonal and
    // arrives after 43.
    SplottingRig square;
    square.state.paint.squareBrush = true;
    const WalkResult s = square.travel.HeadFromAtoB(KMingo(100, 100), KMingo(300, 200));
    EXPECT_EQ(s.end, WalkEnd::Arrived);
    EXPECT_EQ(s.steps, 39);
    EXPECT_DOUBLE_EQ(s.position.getX(), 295);
    EXPECT_DOUBLE_EQ(s.position.getY(), 197.5);

    SplottingRig round;
    const WalkResult r = round.travel.HeadFromAtoB(KMingo(100, 100), KMingo(300, 200));
    EXPECT_EQ(r.end, WalkEnd::Arrived);
    EXPECT_EQ(r.steps, 43);
}

TEST(PenTravel, TurnSearchTakesAWayClearAtTurn399ButNotAt400) {
    struct Case {
        int clearAtTest; // 1 = the test before any turn
        int turns;
    };
    for (const Case c : {Case{1, 0}, Case{2, 1}, Case{400, 399}, Case{401, -1}, Case{402, -1}, Case{0, -1}}) {
        int tests = 0;
        KMingo next(10, 0);
        const int turns = searchClearWay(KMingo(0, 0), next, 2 * std::numbers::pi / 360,
                                         [&](const KMingo&) { return ++tests == c.clearAtTest; });
        EXPECT_EQ(turns, c.turns) << c.clearAtTest;
        EXPECT_LE(tests, 400);
    }
    // The turns go counter-clockwise by one degree each.
    int tests = 0;
    KMingo next(10, 0);
    searchClearWay(KMingo(0, 0), next, 2 * std::numbers::pi / 360,
                   [&](const KMingo&) { return ++tests == 91; });
    EXPECT_NEAR(next.getX(), 0, 1e-9);
    EXPECT_NEAR(next.getY(), 10, 1e-9);
}

TEST(PenTravel, PenSurroundedByPaintEndsWithoutDrawing) {
    SplottingRig rig;
    rig.fill(BgrPixel{200, 200, 200});
    const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(300, 100));
    EXPECT_EQ(r.end, WalkEnd::BoxedIn);
    EXPECT_EQ(r.steps, 0);
    EXPECT_EQ(rig.countNot(BgrPixel{200, 200, 200}), 0);
}

TEST(PenTravel, WalkSteersAroundPaintInTheTurnSense) {
    // A painted bar across the way; counter-clockwise turns pass it above,
    // clockwise turns below, and both walks still arrive.
    for (const int sense : {1, -1}) {
        SplottingRig rig;
        for (int y = 60; y <= 140; ++y)
            for (int x = 150; x <= 160; ++x)
                rig.canvas.pixel(x, y) = BgrPixel{0, 0, 0};
        rig.splotting.turnDirection = sense;
        const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(300, 100));
        EXPECT_EQ(r.end, WalkEnd::Arrived) << sense;
        if (sense > 0) {
            EXPECT_GT(rig.highestTop(), 140);
            EXPECT_GE(rig.lowestBottom(), 90);
        } else {
            EXPECT_LT(rig.lowestBottom(), 60);
            EXPECT_LE(rig.highestTop(), 110);
        }
    }
}

TEST(PenTravel, FlipTurnsOnlyForADrawBelowTheFlipperiness) {
    // A one-step walk into a painted dot: the step's end shows the turn sense
    // the flip draw left (counter-clockwise above the row, clockwise below).
    struct Case {
        int flipperiness;
        std::uint32_t draw;
        bool flips;
    };
    for (const Case c : {Case{0, 0, false}, Case{1, 0, true}, Case{1, 1, false}, Case{50, 49, true},
                         Case{50, 50, false}, Case{50, 51, false}, Case{100, 99, true}}) {
        SplottingRig rig;
        rig.canvas.pixel(130, 100) = BgrPixel{0, 0, 0};
        rig.state.shape.shapeSectionLength = 50;
        rig.state.shape.shapeFlipper = true;
        rig.state.shape.shapeFlipperiness = c.flipperiness;
        rig.random.script({c.draw});
        const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(145, 100));
        const std::string at = std::to_string(c.flipperiness) + "/" + std::to_string(c.draw);
        EXPECT_FALSE(rig.random.scriptedDrawsLeft()) << at;
        EXPECT_EQ(rig.splotting.turnDirection, c.flips ? -1 : 1) << at;
        ASSERT_GE(r.steps, 1) << at;
        EXPECT_EQ(r.position.getY() > 100, !c.flips) << at;
    }
}

TEST(PenTravel, PathTestLooksFromTwoPixelsInsideThePenWidth) {
    // From (100, 100) towards (110, 100): the seventy samples run from
    // penWidth - 2 pixels out to the target, so a dot at 100 + penWidth - 2
    // blocks the way and one a pixel nearer does not.
    struct Case {
        int penWidth;
        int dotX;
        bool clear;
    };
    for (const Case c : {Case{10, 106, true}, Case{10, 107, true}, Case{10, 108, false}, Case{10, 110, false},
                         Case{10, 111, true}, Case{4, 101, true}, Case{4, 102, false}, Case{4, 105, false}}) {
        SplottingRig rig;
        rig.state.paint.penWidth = c.penWidth;
        rig.canvas.pixel(c.dotX, 100) = BgrPixel{0, 0, 0};
        EXPECT_EQ(rig.travel.IsPathClearTo(KMingo(100, 100), KMingo(110, 100)), c.clear)
            << c.penWidth << " " << c.dotX;
    }
}

TEST(PenTravel, MidpointProbeReadsThePixelHalfwayAndSentinelsOutside) {
    struct Case {
        KMingo p, q;
        double white, black; // expected on each background
    };
    // Pixel (4, 4) holds (10, 20, 60): mean 30; elsewhere background.
    const Case cases[] = {
        {{4, 4}, {4, 4}, 30, 30},          {{2, 4}, {5, 4}, 30, 30}, // (5 + 2) / 2 = 3.5 rounds to 4
        {{2, 4}, {3, 4}, 255, 0},                                    // 2.5 rounds to 2
        {{4.4, 4}, {4.5, 4}, 30, 30},                                // q rounds to 4 first, p does not
        {{0, 5}, {0, 5}, -10000, 10000},                             // column 0 counts as outside
        {{5, 0}, {5, 0}, -10000, 10000},                             // row 0 too
        {{19, 19}, {19, 19}, 255, 0},                                // the last column and row are inside
        {{20, 5}, {20, 5}, -10000, 10000}, {{5, -3}, {5, -3}, -10000, 10000},
    };
    for (const bool whiteBackground : {true, false}) {
        SplottingRig rig(20, 20, whiteBackground);
        rig.canvas.pixel(4, 4) = BgrPixel{10, 20, 60};
        for (const Case& c : cases)
            EXPECT_EQ(rig.travel.MidpointRGB(c.p, c.q), whiteBackground ? c.white : c.black)
                << c.p.x << "," << c.p.y << " " << c.q.x << "," << c.q.y << " white " << whiteBackground;
    }
}

TEST(PenTravel, RandomColourReflectsAtZeroAndCapsAt255) {
    SplottingRig rig;
    rig.splotting.shapeBaseRed = 0;
    rig.splotting.shapeBaseGreen = 250;
    rig.splotting.shapeBaseBlue = 10;
    rig.random.script({149, 0, 75});
    rig.travel.SetColorsRandom();
    EXPECT_EQ(rig.state.colour.red, 74);
    EXPECT_EQ(rig.state.colour.green, 255);
    EXPECT_EQ(rig.state.colour.blue, 10);
    EXPECT_FALSE(rig.random.scriptedDrawsLeft());
}

TEST(PenTravel, EachStepDrawsColourThenFlipThenArcSide) {
    // One 50-pixel step, drawn as a half circle. Draws: red, green, blue,
    // the turn flip, the arc side.
    for (const bool flipArc : {false, true}) {
        SplottingRig rig;
        rig.state.shape.shapeSectionLength = 50;
        rig.state.shape.shapeChangeColors = true;
        rig.state.shape.shapeSemicircles = true;
        rig.state.shape.shapeFlipper = true;
        rig.state.shape.shapeFlipperiness = 5;
        rig.random.script({10, 20, 30, 4, flipArc ? 4u : 5u});
        const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(145, 100));
        EXPECT_EQ(r.steps, 1);
        EXPECT_FALSE(rig.random.scriptedDrawsLeft());
        EXPECT_EQ(rig.splotting.turnDirection, -1);
        EXPECT_EQ(rig.state.colour.red, 65);
        EXPECT_EQ(rig.state.colour.green, 55);
        EXPECT_EQ(rig.state.colour.blue, 45);
        // Counter-clockwise from the left end runs below the chord.
        if (flipArc) {
            EXPECT_GT(rig.highestTop(), 120);
            EXPECT_GE(rig.lowestBottom(), 97);
        } else {
            EXPECT_LT(rig.lowestBottom(), 80);
            EXPECT_LE(rig.highestTop(), 103);
        }
    }
}

TEST(PenTravel, WalkThatCannotSeeItsOwnPaintEndsAtTheLengthBound) {
    // In erase mode on a blank picture the 30-pixel steps overshoot the
    // target by 15 and come back, for ever without a bound.
    SplottingRig rig(100, 100);
    rig.state.paint.eraseMode = true;
    rig.state.shape.shapeSectionLength = 30;
    const WalkResult r = rig.travel.HeadFromAtoB(KMingo(40, 50), KMingo(55, 50));
    EXPECT_EQ(r.end, WalkEnd::LengthBound);
    // 100 * 100 + 4 * 200 = 10800 pixels: the 361st step passes it.
    EXPECT_EQ(r.steps, 361);
    EXPECT_DOUBLE_EQ(walkLengthBound(600, 600), 364800);
}

TEST(PenTravel, CancelledWalkEndsAfterTheEventPass) {
    SplottingRig rig;
    rig.host.onEvents = [&](int pass) { rig.host.cancelled = pass == 5; };
    const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(300, 100));
    EXPECT_EQ(r.end, WalkEnd::Cancelled);
    EXPECT_EQ(r.steps, 4);
}

TEST(PenTravel, NestedRebuildShrinksTheCanvasUnderARunningWalk) {
    // At pass 10 the pen is at (131.8, 131.8). A 200-pixel canvas still holds
    // it: the walk goes on along the diagonal until the margin turns it aside
    // and it is boxed in at a corner. A 100-pixel canvas does not: no way is
    // clear from there and nothing more is drawn.
    for (const int size : {200, 100}) {
        SplottingRig rig;
        rig.host.onEvents = [&](int pass) {
            if (pass == 10)
                rig.rebuild(size, size);
        };
        const WalkResult r = rig.travel.HeadFromAtoB(KMingo(100, 100), KMingo(500, 500));
        EXPECT_EQ(r.end, WalkEnd::BoxedIn) << size;
        EXPECT_EQ(rig.canvas.imageWidth(), size);
        if (size == 200) {
            EXPECT_GT(r.steps, 20);
            EXPECT_FALSE(rig.canvas.pixel(170, 170) == white);
        } else {
            EXPECT_EQ(r.steps, 9);
            EXPECT_EQ(rig.countNot(white), 0);
        }
    }
}

} // namespace
} // namespace splot::test
