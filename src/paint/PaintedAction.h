#pragma once

namespace splot {

// What a stamp paints with while Draw with action is on. The stamp decides
// which pixels take part and how strongly; the action decides what becomes
// of a pixel. Painting code depends only on this interface, so the colour
// code that implements it may build on painting and not the other way round.
class PaintedAction {
public:
    virtual ~PaintedAction() = default;
    // Moves canvas pixel (x, y), which lies inside the canvas, by the fraction
    // strength (0..1) towards the action's target. No repaint.
    virtual void perform(int x, int y, double strength) const = 0;
};

} // namespace splot
