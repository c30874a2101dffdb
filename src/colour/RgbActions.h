#pragma once

#include "paint/BgrPixel.h"
#include "paint/Numbers.h"
#include "paint/PaintState.h"

namespace splot {

class Canvas;

// The target pixel of an action for a source pixel.
inline BgrPixel actionTarget(RgbAction action, BgrPixel s) {
    switch (action) {
    case RgbAction::Invert:
        return BgrPixel{static_cast<std::uint8_t>(255 - s.blue), static_cast<std::uint8_t>(255 - s.green),
                        static_cast<std::uint8_t>(255 - s.red)};
    case RgbAction::Cycle: // red <- blue, green <- red, blue <- green
        return BgrPixel{s.green, s.red, s.blue};
    case RgbAction::RandG:
        return BgrPixel{s.blue, s.red, s.green};
    case RgbAction::RandB:
        return BgrPixel{s.red, s.green, s.blue};
    case RgbAction::GandB:
        return BgrPixel{s.green, s.blue, s.red};
    }
    return s;
}

// The rounded point at fraction s of the way from a to b (halves to even);
// only the low eight bits of the result remain.
inline int ProportionBetween(int a, int b, double s) {
    return roundEven(a + (b - a) * s) & 0xFF;
}

// Applies the selected action to canvas pixel (x, y), which must lie inside
// the canvas, moving it by the fraction s (0..1) towards the target. The source
// is the live pixel when silly is on, else the action-source snapshot. No repaint.
void PerformRGBAction(const Canvas& canvas, const ColourState& colour, int x, int y, double s);

} // namespace splot
