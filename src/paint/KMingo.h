#pragma once

#include "base/Numbers.h"
#include "base/SplotState.h"

#include <cmath>

namespace splot {

// A pen point: a position in canvas coordinates (x right, y up from the bottom
// edge, in pixels). Integer coordinates are pixel indices. A pen point may lie
// outside the canvas; every user checks the bounds it needs.
//
// The painting operations that belong with a pen point (DrawPoint, drawDots,
// BrushDisplay) live in Painter, which owns the canvas they write to.
class KMingo {
public:
    KMingo() = default;
    KMingo(double x, double y) : x(x), y(y) {}

    double getX() const { return x; }
    double getY() const { return y; }
    // Rounded to nearest, halves to even.
    int getIntX() const { return roundEven(x); }
    int getIntY() const { return roundEven(y); }

    void MovePoint(double newX, double newY) {
        x = newX;
        y = newY;
    }
    void MoveToKMingo(const KMingo& other) { MovePoint(other.x, other.y); }

    // Distance in the brush metric as the brush is set now: the larger of the
    // axis distances for a square brush, Euclidean for a round one.
    static double metric(double dx, double dy, bool squareBrush) {
        if (squareBrush)
            return std::max(std::fabs(dx), std::fabs(dy));
        return std::sqrt(dx * dx + dy * dy);
    }
    double DistanceFrom(double px, double py, const PaintingState& paint) const {
        return metric(x - px, y - py, paint.squareBrush);
    }
    double DistanceFromPoint(const KMingo& other, const PaintingState& paint) const {
        return DistanceFrom(other.x, other.y, paint);
    }

    // Sets this point to p turned about c by angle radians (counter-clockwise
    // on screen, since y grows upward). p or c may be this point itself.
    void RotatePoint(const KMingo& p, const KMingo& c, double angle) {
        const double dx = p.x - c.x;
        const double dy = p.y - c.y;
        const double cx = c.x;
        const double cy = c.y;
        const double ca = std::cos(angle);
        const double sa = std::sin(angle);
        x = cx + dx * ca - dy * sa;
        y = cy + dx * sa + dy * ca;
    }

    // Inside the picture with a margin of one pen width; all comparisons strict.
    bool OnPage(const PaintingState& paint) const {
        const double w = paint.penWidth;
        return w < x && x < paint.imageWidth - w && w < y && y < paint.imageHeight - w;
    }

    double x = 0;
    double y = 0;
};

} // namespace splot
