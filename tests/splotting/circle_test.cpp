#include "splotting/SplottingRig.h"

namespace splot::test {
namespace {

// A circle of radius 100 around (300, 300) with an 11-pixel brush.
struct CircleRig : SplottingRig {
    CircleRig() {
        state.paint.penWidth = 11;
        state.circle.circleWidth = 100;
        state.circle.circleHeight = 100;
        state.circle.circleCenterX = 300;
        state.circle.circleCenterY = 300;
    }
    std::vector<std::pair<double, double>> stamps() const {
        std::vector<std::pair<double, double>> out;
        for (std::size_t i = 0; i < display.rects.size(); ++i)
            out.emplace_back(stampX(i), stampY(i));
        return out;
    }
};

using Stamps = std::vector<std::pair<double, double>>;

TEST(Circle, StampsGoOnceAroundStartingOneStepPastTheRightmostPoint) {
    CircleRig one;
    one.state.circle.circleNumberOfPoints = 1;
    one.splot.DrawCircle();
    EXPECT_EQ(one.stamps(), (Stamps{{400, 300}}));

    CircleRig four;
    four.state.circle.circleNumberOfPoints = 4;
    four.splot.DrawCircle();
    EXPECT_EQ(four.stamps(), (Stamps{{300, 400}, {200, 300}, {300, 200}, {400, 300}}));
    EXPECT_EQ(four.host.passes, 0);

    CircleRig ellipse;
    ellipse.state.circle.circleNumberOfPoints = 4;
    ellipse.state.circle.circleWidth = 150;
    ellipse.state.circle.circleHeight = 50;
    ellipse.splot.DrawCircle();
    EXPECT_EQ(ellipse.stamps(), (Stamps{{300, 350}, {150, 300}, {300, 250}, {450, 300}}));

    CircleRig none;
    none.state.circle.circleNumberOfPoints = 0;
    none.splot.DrawCircle();
    EXPECT_TRUE(none.display.rects.empty());
}

TEST(Circle, CentreIsTheFirstCornerThenTheImageCentreOrThePreviousOne) {
    CircleRig rig;
    rig.rebuild(301, 201);
    rig.state.circle.circleNumberOfPoints = 1;
    rig.state.circle.circleForgetCenter = true;
    rig.splotting.currentShape.AddCorner(KMingo(50, 60));
    rig.splotting.currentShape.AddCorner(KMingo(70, 80));
    rig.splot.DrawCircle();
    EXPECT_EQ(rig.state.circle.circleCenterX, 50);
    EXPECT_EQ(rig.state.circle.circleCenterY, 60);
    EXPECT_EQ(rig.splotting.currentShape.GetNumberOfCorners(), 0);

    rig.splot.DrawCircle();
    EXPECT_EQ(rig.state.circle.circleCenterX, 150.5);
    EXPECT_EQ(rig.state.circle.circleCenterY, 100.5);

    rig.splotting.currentShape.AddCorner(KMingo(20, 30));
    rig.splot.DrawCircle();
    rig.state.circle.circleForgetCenter = false;
    rig.rebuild(400, 400);
    rig.splot.DrawCircle();
    EXPECT_EQ(rig.state.circle.circleCenterX, 20);
    EXPECT_EQ(rig.state.circle.circleCenterY, 30);
}

TEST(Circle, OwnPenWidthMayExceedTheBrushSliderLimit) {
    struct Case {
        bool useOwn;
        int penWidth, circlePenWidth, stampWidth;
    };
    for (const Case c : {Case{false, 11, 301, 11}, Case{true, 11, 301, 301}, Case{false, 301, 11, 200},
                         Case{true, 11, 1001, 1000}}) {
        CircleRig rig;
        rig.rebuild(3000, 3000);
        rig.state.circle.circleCenterX = rig.state.circle.circleCenterY = 1500;
        rig.state.circle.circleForgetCenter = false;
        rig.state.circle.circleNumberOfPoints = 1;
        rig.state.circle.circleUsePenWidth = c.useOwn;
        rig.state.paint.penWidth = c.penWidth;
        rig.state.circle.circlePenWidth = c.circlePenWidth;
        rig.splot.DrawCircle();
        // The repaint covers the pixels the stamp changed: its width, or one
        // less where the far edge lies exactly on the radius.
        int left = INT_MAX, right = INT_MIN;
        for (const CanvasRect& r : rig.display.rects) {
            left = std::min(left, r.left);
            right = std::max(right, r.right);
        }
        EXPECT_NEAR(right - left + 1, c.stampWidth, 1) << c.circlePenWidth;
    }
}

} // namespace
} // namespace splot::test
