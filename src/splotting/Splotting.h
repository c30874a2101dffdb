#pragma once

#include "paint/KMingo.h"
#include "splotting/PenTravel.h"

namespace splot {

class Canvas;
class Painter;
class Random;
class WalkHost;
struct SplotState;
struct SplottingState;

// The engine side of the Splotting commands. The session wraps each one with
// what belongs to a command (undo snapshot, busy cursor, status text, the
// stroke's end) and runs them inside its error guard.
class Splotting {
public:
    Splotting(SplotState& state, SplottingState& splotting, Canvas& canvas, Painter& painter, Random& random,
              WalkHost& host)
        : state_(state), splotting_(splotting), canvas_(canvas), painter_(painter), random_(random),
          travel_(state, splotting, canvas, painter, random, host) {}

    // Draw Shape(s): the paint colour becomes the base colour of "Change
    // colors?", then one shape, or 31 with "Draw lots of shapes?": for each,
    // n = random(shapePoints) + 4, MakeRandomShape(n) on the current shape
    // and JoinUp. Stops between rounds when the host cancels walks. Leaves
    // the current shape holding the last shape's first corner.
    void DrawShapes();

    // A right-click at the pointer: the point becomes the last corner of the
    // current shape and the shape is joined up, so the pen walks from the
    // previous corner (if any) to this one.
    void AddCornerAndJoin(const KMingo& corner);

    // Kill: the current shape loses every corner. Safe during a walk: the
    // running leg finishes and its join then ends.
    void Kill();

    // Draw Circle, without events: the centre becomes the current shape's
    // first corner (and the shape is emptied); with no corner, the middle of
    // the picture when circleForgetCenter is set, else the previous centre.
    // Then circleNumberOfPoints stamps at angles 2 pi k / N, k = 1..N, on the
    // ellipse with radii circleWidth and circleHeight, each circlePenWidth
    // wide when circleUsePenWidth is set, else penWidth, repainting at once.
    void DrawCircle();

    PenTravel& travel() { return travel_; }

private:
    SplotState& state_;
    SplottingState& splotting_;
    Canvas& canvas_;
    Painter& painter_;
    Random& random_;
    PenTravel travel_;
};

} // namespace splot
