// The Splotting commands as the session runs them: one undo step for a whole
// command, the hourglass through nested commands, and commands that run
// inside a walk's event pass.
#include "support/SessionRig.h"

#include <gtest/gtest.h>

namespace splot::test {
namespace {

std::vector<BgrPixel> picture(Canvas& c) {
    std::vector<BgrPixel> out;
    for (int y = 0; y < c.imageHeight(); ++y)
        out.insert(out.end(), c.row(y), c.row(y) + c.imageWidth());
    return out;
}

TEST(SessionSplotting, OneUndoRemovesThirtyOneShapesOrAWholeCircle) {
    for (bool circle : {false, true}) {
        SessionRig rig;
        Session& s = rig.session;
        s.state().shape.shapeDrawLots = true;
        const std::vector<BgrPixel> before = picture(s.canvas());
        int busyDuringPump = 0;
        rig.pump.onPump = [&](int) {
            busyDuringPump += SessionProbe(s).cursor().shape() == CursorShape::Busy;
        };
        if (circle)
            s.DrawCircle();
        else
            s.DrawShapes();
        EXPECT_NE(picture(s.canvas()), before) << circle;
        EXPECT_EQ(SessionProbe(s).statusText(0), "There are unsaved changes.");
        EXPECT_EQ(SessionProbe(s).cursor().shape(), CursorShape::Normal);
        EXPECT_EQ(busyDuringPump, rig.pump.calls) << "the hourglass stays through every event pass";
        EXPECT_EQ(rig.pump.calls == 0, circle) << "a circle processes no events";
        s.Undo();
        EXPECT_EQ(picture(s.canvas()), before) << circle;
    }
}

// A nested New that shrinks the canvas, a nested Draw Circle, Undo and Clear
// in the middle of a walk: no write outside the canvas (the sanitizer build
// checks), the hourglass of the outer command kept.
TEST(SessionSplotting, CommandsNestedInAWalkStepAreSafe) {
    SessionRig rig;
    Session& s = rig.session;
    s.state().shape.shapeDrawLots = true;
    rig.pump.onPump = [&](int call) {
        if (call == 3)
            s.applyNewImageSize(120, 90, false);
        if (call == 5)
            s.DrawCircle();
        if (call == 7)
            s.Undo();
        if (call == 9)
            s.ClearImage();
        if (call == 11)
            s.applyNewImageSize(700, 40, true);
        EXPECT_EQ(SessionProbe(s).cursor().shape(), CursorShape::Busy);
    };
    s.DrawShapes();
    EXPECT_EQ(s.canvas().imageWidth(), 700);
    EXPECT_EQ(SessionProbe(s).cursor().shape(), CursorShape::Normal);
}

TEST(SessionSplotting, ExitDuringAWalkEndsEveryWalk) {
    SessionRig rig;
    Session& s = rig.session;
    s.state().shape.shapeDrawLots = true;
    rig.pump.onPump = [&](int call) {
        if (call == 4)
            s.requestExit(); // nothing unsaved yet: the process ends
    };
    s.DrawShapes();
    EXPECT_EQ(rig.processEnd.ended, 1);
    EXPECT_EQ(rig.pump.calls, 4) << "no walk step after the exit";
}

// Right-clicks: the first only records the point, the second walks to it;
// Kill during that walk lets the leg finish and leaves the shape empty.
TEST(SessionSplotting, RightClicksWalkFromThePreviousPointAndKillEndsTheJoin) {
    SessionRig rig;
    Session& s = rig.session;
    rig.mouse.x = 100;
    rig.mouse.y = 100;
    s.addCornerAtPointer();
    EXPECT_EQ(rig.pump.calls, 0);
    EXPECT_EQ(SessionProbe(s).splotting().currentShape.GetNumberOfCorners(), 1);
    rig.mouse.x = 300;
    rig.pump.onPump = [&](int call) {
        if (call == 2)
            s.Kill();
    };
    s.addCornerAtPointer();
    EXPECT_GT(rig.pump.calls, 10) << "the leg went on after Kill";
    EXPECT_EQ(SessionProbe(s).splotting().currentShape.GetNumberOfCorners(), 0);
}

} // namespace
} // namespace splot::test
