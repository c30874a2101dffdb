#pragma once

#include "base/SplotState.h"
#include "paint/KMingo.h"

namespace splot {

class Canvas;
class Painter;
class Random;
class WalkHost;
struct SplottingState;

// Why a walk ended.
enum class WalkEnd {
    AtTarget,        // started exactly on the target; nothing drawn
    Arrived,         // a step ended less than a pen width from the target
    OffPage,         // a step ended inside the pen-width margin or off the picture
    BoxedIn,         // no clear way within 399 one-degree turns; the step is not drawn
    MidpointOutside, // the step's midpoint lies off a black picture; not drawn
    LengthBound,     // walked further than the picture could hold (see walkLengthBound)
    Cancelled,       // the host cancelled walks during the event pass
};

struct WalkResult {
    WalkEnd end = WalkEnd::AtTarget;
    int steps = 0;   // steps drawn
    KMingo position; // where the pen stopped (the last step's end, or the start)
};

// The longest way a walk may go, in pixels of the brush metric, on a canvas
// of width x height: enough for a one-pixel line through every pixel of the
// picture plus four times around its border, W * H + 4 * (W + H). A walk
// blocks its own way with the line it draws, so on a normal picture it ends
// long before that; only a walk that does not see its own paint (erase mode,
// paint too faint to change a pixel, an action that leaves background as
// background) can go on for ever, stepping back and forth over its target or
// circling it, and this bound ends it. 600 x 600 gives 364 800 pixels:
// 121 600 steps of the default section length at pen width 10.
double walkLengthBound(int width, int height);

// Each step counts at least this much against the bound (pen width 1 at the
// shortest section length), so even a zero-length step brings the end nearer.
constexpr double minimumCountedStep = 0.1;

// The one-degree turn search of a step. Calls clear(next) and turns next
// about start by angle until clear says yes; returns the number of turns made
// then, or -1 when the way was not clear within 399 turns. A way that becomes
// clear only at the 400th or 401st turn is never taken, so the search stops
// at 400 turns: the two tests that could follow cannot change the outcome.
template <typename Clear> int searchClearWay(const KMingo& start, KMingo& next, double angle, Clear&& clear) {
    constexpr int mostTurns = 399;
    for (int turns = 0;; ++turns) {
        if (clear(next))
            return turns;
        if (turns == mostTurns)
            return -1;
        next.RotatePoint(next, start, angle);
    }
}

// Pen walks that steer around paint already on the picture, the two ways of
// drawing one step, and the random colour of "Change colors?".
//
// Reads the shared state at every use and reaches pixels through the canvas's
// row table at every use: a walk lets nested commands run at each step, and
// they may change the pen width, the settings, or rebuild the canvas at
// another size.
class PenTravel {
public:
    PenTravel(SplotState& state, SplottingState& splotting, Canvas& canvas, Painter& painter, Random& random,
              WalkHost& host)
        : state_(state), splotting_(splotting), canvas_(canvas), painter_(painter), random_(random),
          host_(host) {}

    // Walks a pen from a towards b, drawing each step, until it arrives within
    // a pen width of b or one of the other ends of WalkEnd. Takes copies of a
    // and b: nothing a nested command does to the points passed in reaches
    // the walk. Each step: the event pass, the colour draw ("Change colors?"),
    // the flip draw (flipper), the turn search, the midpoint test, the step's
    // join, then the arrival and page tests.
    WalkResult HeadFromAtoB(KMingo a, KMingo b);

    // True when the seventy samples from the point penWidth - 2 pixels from s
    // (on the line through t) up to t are all on the page over pure
    // background pixels.
    bool IsPathClearTo(const KMingo& s, const KMingo& t) const;

    // Mean of the three bytes of the pixel halfway between p and q (q rounded
    // first, p not; the halfway point rounded halves to even), 0..255. A
    // pixel in column 0, row 0 or off the canvas gives -10000 on a white
    // background and +10000 on a black one.
    double MidpointRGB(const KMingo& p, const KMingo& q) const;

    // Stamps nearest(2d) + 2 points from a to b, d their distance, about half
    // a pixel apart, each nearest(penWidth / 2) wide, repainting at once.
    void JoinByStraight(const KMingo& a, const KMingo& b);

    // Stamps a half circle on the diameter ab with as many points as the
    // straight join, counter-clockwise on screen; with the flipper on, one
    // draw random(100) below the flipperiness turns it the other way.
    void JoinByArc(const KMingo& a, const KMingo& b);

    // Three draws random(150) for red, green and blue, in that order; each
    // channel becomes |base + 75 - draw| capped at 255. Writes the colour
    // state's red, green and blue only.
    void SetColorsRandom();

    SplotState& state() { return state_; }
    SplottingState& splotting() { return splotting_; }
    Random& random() { return random_; }
    WalkHost& host() { return host_; }

private:
    SplotState& state_;
    SplottingState& splotting_;
    Canvas& canvas_;
    Painter& painter_;
    Random& random_;
    WalkHost& host_;
};

} // namespace splot
