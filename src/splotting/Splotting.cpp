#include "splotting/Splotting.h"

#include "base/Random.h"
#include "paint/Canvas.h"
#include "paint/Painter.h"
#include "splotting/SplottingState.h"
#include "splotting/WalkHost.h"

#include <cmath>
#include <numbers>

namespace splot {

void Splotting::DrawShapes() {
    splotting_.shapeBaseRed = state_.colour.red;
    splotting_.shapeBaseGreen = state_.colour.green;
    splotting_.shapeBaseBlue = state_.colour.blue;
    const int rounds = state_.shape.shapeDrawLots ? 31 : 1;
    for (int round = 0; round < rounds && !travel_.host().walksCancelled(); ++round) {
        // Settings and canvas size are read afresh each round: the walks of
        // the previous round may have let a nested command change them.
        const int n = static_cast<int>(random_.random(state_.shape.shapePoints)) + 4;
        splotting_.currentShape.MakeRandomShape(n, random_, state_.shape.shapeSize, canvas_.imageWidth(),
                                                canvas_.imageHeight());
        splotting_.currentShape.JoinUp(travel_);
    }
}

void Splotting::AddCornerAndJoin(const KMingo& corner) {
    splotting_.currentShape.AddCorner(corner);
    splotting_.currentShape.JoinUp(travel_);
}

void Splotting::Kill() {
    splotting_.currentShape.Empty();
}

void Splotting::DrawCircle() {
    CircleSettings& circle = state_.circle;
    KShape& shape = splotting_.currentShape;
    if (shape.GetNumberOfCorners() > 0) {
        circle.circleCenterX = shape.corner(0).getX();
        circle.circleCenterY = shape.corner(0).getY();
        shape.Empty();
    } else if (circle.circleForgetCenter) {
        circle.circleCenterX = canvas_.imageWidth() / 2.0;
        circle.circleCenterY = canvas_.imageHeight() / 2.0;
    }
    const int N = circle.circleNumberOfPoints;
    const double W = circle.circleWidth;
    const double H = circle.circleHeight;
    const int w = circle.circleUsePenWidth ? circle.circlePenWidth : state_.paint.penWidth;
    const double cx = circle.circleCenterX;
    const double cy = circle.circleCenterY;
    KMingo circlePen;
    for (int k = 1; k <= N; ++k) {
        const double theta = 2 * std::numbers::pi * k / N;
        circlePen.MovePoint(cx + W * std::cos(theta), cy + H * std::sin(theta));
        painter_.DrawOnImage(circlePen, w, true, widestStamp(circle));
    }
}

} // namespace splot
