#include "splotting/PenTravel.h"

#include "base/Numbers.h"
#include "base/Random.h"
#include "paint/Canvas.h"
#include "paint/Painter.h"
#include "splotting/SplottingState.h"
#include "splotting/WalkHost.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace splot {

double walkLengthBound(int width, int height) {
    const double w = std::max(width, 0);
    const double h = std::max(height, 0);
    return w * h + 4 * (w + h);
}

WalkResult PenTravel::HeadFromAtoB(KMingo a, KMingo b) {
    WalkResult result;
    KMingo p = a;
    result.position = p;
    double walked = 0;
    for (;;) {
        const double d = p.DistanceFromPoint(b, state_.paint);
        if (d == 0) {
            result.end = WalkEnd::AtTarget;
            return result;
        }

        host_.processEvents();
        // Anything may have changed during the event pass: the settings, the
        // pen width, the canvas and its size. Only p and b are the walk's own.
        if (host_.walksCancelled()) {
            result.end = WalkEnd::Cancelled;
            return result;
        }
        const ShapeSettings& shape = state_.shape;

        if (shape.shapeChangeColors)
            SetColorsRandom();
        if (shape.shapeFlipper && static_cast<int>(random_.random(100)) < shape.shapeFlipperiness)
            splotting_.turnDirection = -splotting_.turnDirection;

        const KMingo start = p;
        const double penWidth = state_.paint.penWidth;
        const double L = penWidth * (shape.shapeSectionLength / 10.0);
        KMingo next(start.x + (b.x - start.x) * L / d, start.y + (b.y - start.y) * L / d);

        const double angle = splotting_.turnDirection * (2 * std::numbers::pi) / 360;
        if (searchClearWay(start, next, angle, [&](const KMingo& t) { return IsPathClearTo(start, t); }) <
            0) {
            result.end = WalkEnd::BoxedIn;
            return result;
        }
        if (MidpointRGB(start, next) > 1000) {
            result.end = WalkEnd::MidpointOutside;
            return result;
        }

        if (shape.shapeSemicircles)
            JoinByArc(start, next);
        else
            JoinByStraight(start, next);
        ++result.steps;
        result.position = next;

        if (roundEven(next.DistanceFromPoint(b, state_.paint)) < state_.paint.penWidth) {
            result.end = WalkEnd::Arrived;
            return result;
        }
        if (!next.OnPage(state_.paint)) {
            result.end = WalkEnd::OffPage;
            return result;
        }
        walked += std::max(L, minimumCountedStep);
        if (walked > walkLengthBound(canvas_.imageWidth(), canvas_.imageHeight())) {
            result.end = WalkEnd::LengthBound;
            return result;
        }
        p = next;
    }
}

bool PenTravel::IsPathClearTo(const KMingo& s, const KMingo& t) const {
    const PaintingState& paint = state_.paint;
    const double D = s.DistanceFromPoint(t, paint);
    const double lead = paint.penWidth - 2;
    const KMingo p0(s.x + (t.x - s.x) * lead / D, s.y + (t.y - s.y) * lead / D);
    const bool white = paint.backgroundIsWhite;
    for (int i = 1; i <= 70; ++i) {
        const KMingo q(p0.x + (t.x - p0.x) * i / 70, p0.y + (t.y - p0.y) * i / 70);
        if (!q.OnPage(paint))
            return false;
        const double m = MidpointRGB(q, q);
        if (white ? m < 255 : m > 0)
            return false;
    }
    return true;
}

double PenTravel::MidpointRGB(const KMingo& p, const KMingo& q) const {
    const int cx = roundEven((q.getIntX() + p.x) / 2);
    const int cy = roundEven((q.getIntY() + p.y) / 2);
    if (0 < cx && cx < canvas_.imageWidth() && 0 < cy && cy < canvas_.imageHeight()) {
        const BgrPixel& px = canvas_.pixel(cx, cy);
        return (px.blue + px.green + px.red) / 3.0;
    }
    return state_.paint.backgroundIsWhite ? -10000 : 10000;
}

void PenTravel::JoinByStraight(const KMingo& a, const KMingo& b) {
    const double d = a.DistanceFromPoint(b, state_.paint);
    if (!std::isfinite(d))
        return; // a point nowhere has no way to it
    // The stamps of one join follow each other with nothing in between (no
    // event is processed), so they reach the window together: the same
    // pixels on screen, one write instead of one per stamp.
    const DisplayBatch batch(canvas_);
    const int n = roundEven(2 * d) + 1;
    const int width = roundEven(state_.paint.penWidth / 2.0);
    const double dx = (b.x - a.x) / n;
    const double dy = (b.y - a.y) / n;
    KMingo pen = a;
    for (int k = 0; k <= n; ++k) {
        painter_.DrawOnImage(pen, width, true, widestStamp(state_.circle));
        pen.MovePoint(pen.x + dx, pen.y + dy);
    }
}

void PenTravel::JoinByArc(const KMingo& a, const KMingo& b) {
    const double d = a.DistanceFromPoint(b, state_.paint);
    if (!std::isfinite(d))
        return;                        // a point nowhere has no way to it
    const DisplayBatch batch(canvas_); // as for the straight join
    const int n = roundEven(2 * d) + 1;
    double step = std::numbers::pi / n;
    const ShapeSettings& shape = state_.shape;
    if (shape.shapeFlipper && static_cast<int>(random_.random(100)) < shape.shapeFlipperiness)
        step = -step;
    const KMingo centre(a.x + (b.x - a.x) / 2, a.y + (b.y - a.y) / 2);
    const int width = roundEven(state_.paint.penWidth / 2.0);
    KMingo pen = a;
    for (int k = 0; k <= n; ++k) {
        painter_.DrawOnImage(pen, width, true, widestStamp(state_.circle));
        pen.RotatePoint(pen, centre, step);
    }
}

void PenTravel::SetColorsRandom() {
    const int dR = static_cast<int>(random_.random(150));
    const int dG = static_cast<int>(random_.random(150));
    const int dB = static_cast<int>(random_.random(150));
    const auto pick = [](int base, int draw) { return std::min(255, std::abs(base + 75 - draw)); };
    ColourState& colour = state_.colour;
    colour.red = pick(splotting_.shapeBaseRed, dR);
    colour.green = pick(splotting_.shapeBaseGreen, dG);
    colour.blue = pick(splotting_.shapeBaseBlue, dB);
}

} // namespace splot
