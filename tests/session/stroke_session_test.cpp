// Strokes as the session runs them, without a window: press, moves with the
// left button, the click stamp and the release.
#include "support/PaintedSide.h"
#include "support/SessionRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

namespace splot::test {
namespace {

constexpr BgrPixel white{255, 255, 255};

// A hard square brush paints w x w pixels for odd w and (w-1) x (w-1) for
// even w (the far edge lies exactly at the radius).
int sideFor(int w) {
    return w % 2 == 1 ? w : w - 1;
}

struct StrokeSession : SessionRig {
    StrokeSession() {
        session.MakeNewImage(540, 200, false);
        state().paint.fuzzy = false;
        state().paint.squareBrush = true;
    }
    SplotState& state() { return session.state(); }
    void at(int x, int y) {
        mouse.x = x;
        mouse.y = y;
    }
    void move(int x, int y) {
        at(x, y);
        session.imageMouseMove(HeldButtons::Left);
    }
    void releaseOverImage(int x, int y) {
        at(x, y);
        session.imageClick();
        session.imageMouseUp();
    }
};

// Growth 100 widens every stamp by 5; the click stamp takes the offset still
// in force, and the next stroke starts again at the pen width.
TEST(SessionStroke, GrowthDriftWidensEachStampAndTheNextStrokeStartsAfresh) {
    StrokeSession rig;
    rig.state().paint.growthSpeed = 100;
    rig.state().paint.useGrowth = true;
    std::vector<std::pair<int, int>> spots;
    for (int i = 0; i < 10; ++i)
        spots.emplace_back(45 + 90 * (i % 5), i < 5 ? 50 : 150);
    rig.at(spots[0].first + 1, spots[0].second);
    rig.session.imageMouseDown();
    for (auto [x, y] : spots)
        rig.move(x, y);
    const Canvas& c = rig.session.canvas();
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(paintedSide(c, spots[i].first, spots[i].second, 44), sideFor(30 + 5 * i)) << "move " << i;
    rig.releaseOverImage(spots[9].first, spots[9].second);
    EXPECT_EQ(paintedSide(c, spots[9].first, spots[9].second, 44), sideFor(80)) << "click stamp";
    EXPECT_EQ(rig.state().stroke.widthOffset, 0.0);
    EXPECT_EQ(SessionProbe(rig.session).statusText(0), "There are unsaved changes.");

    rig.session.ClearImage();
    rig.at(301, 100);
    rig.session.imageMouseDown();
    rig.move(300, 100);
    rig.move(100, 100);
    rig.releaseOverImage(100, 100);
    EXPECT_EQ(paintedSide(c, 300, 100, 44), sideFor(30));
    EXPECT_EQ(paintedSide(c, 100, 100, 44), sideFor(40)) << "the click stamp after two moves";
}

TEST(SessionStroke, DrawWithActionLeavesNoCoverageAfterTheRelease) {
    StrokeSession rig;
    rig.session.MakeNewImage(60, 60, false);
    rig.state().paint.fuzzy = true;
    rig.state().colour.drawWithAction = true;
    rig.at(30, 30);
    rig.session.imageMouseDown();
    rig.move(31, 30);
    rig.move(33, 31);
    rig.releaseOverImage(33, 31);
    const Canvas& c = rig.session.canvas();
    EXPECT_NE(c.pixel(31, 30), white) << "the brush inverted part of the picture";
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(c.coverageRow(y)[x], 0.0) << x << "," << y;
}

TEST(SessionStroke, ADragHidesTheCursorAndAMoveWithoutTheButtonBringsItBack) {
    StrokeSession rig;
    rig.at(100, 100);
    rig.session.imageMouseDown();
    rig.move(100, 100);
    EXPECT_EQ(SessionProbe(rig.session).cursor().shape(), CursorShape::Hidden);
    rig.session.imageMouseUp();
    rig.session.imageMouseMove(HeldButtons::None);
    EXPECT_EQ(SessionProbe(rig.session).cursor().shape(), CursorShape::Normal);
}

} // namespace
} // namespace splot::test
