#pragma once

#include "base/Numbers.h"
#include "base/SplotState.h"
#include "paint/BgrPixel.h"
#include "paint/PaintedAction.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace splot {

class Canvas;

// One RGB action as a rule on the three bytes of a pixel (BgrPixel byte order:
// 0 blue, 1 green, 2 red): target byte i is source byte from[i] exclusive-or
// flip. For a byte, 255 - v equals v ^ 0xFF, so Invert is the identity
// permutation with flip 0xFF, and the channel actions are permutations with
// flip 0. Both the painted action and the whole-picture pass derive their
// work from this one table, so they cannot disagree.
struct RgbActionRule {
    std::array<std::uint8_t, 3> from;
    std::uint8_t flip;
};

// Indexed by RgbAction.
inline constexpr std::array<RgbActionRule, 5> rgbActionRules{{
    {{0, 1, 2}, 0xFF}, // Invert: every channel c becomes 255 - c
    {{1, 2, 0}, 0x00}, // Cycle RGB: red <- blue, green <- red, blue <- green
    {{0, 2, 1}, 0x00}, // R <-> G
    {{2, 1, 0}, 0x00}, // R <-> B
    {{1, 0, 2}, 0x00}, // G <-> B
}};

inline const RgbActionRule& rgbActionRule(RgbAction action) {
    return rgbActionRules[static_cast<std::size_t>(action)];
}

// The target pixel of an action for a source pixel.
inline BgrPixel actionTarget(RgbAction action, BgrPixel s) {
    const RgbActionRule& r = rgbActionRule(action);
    const std::uint8_t b[3] = {s.blue, s.green, s.red};
    return BgrPixel{static_cast<std::uint8_t>(b[r.from[0]] ^ r.flip),
                    static_cast<std::uint8_t>(b[r.from[1]] ^ r.flip),
                    static_cast<std::uint8_t>(b[r.from[2]] ^ r.flip)};
}

// The rounded point at fraction s of the way from a to b (halves to even);
// only the low eight bits of the result remain.
inline int ProportionBetween(int a, int b, double s) {
    return roundEven(a + (b - a) * s) & 0xFF;
}

// Applies the selected action to canvas pixel (x, y), which must lie inside
// the canvas, moving it by the fraction s (0..1) towards the target. The source
// is the live pixel when silly is on, else the action-source snapshot. No repaint.
void PerformRGBAction(Canvas& canvas, const ColourState& colour, int x, int y, double s);

// The painted action of the stamp: PerformRGBAction with the selected action
// and the Silly flag as they are at each call.
class RgbPaintedAction final : public PaintedAction {
public:
    RgbPaintedAction(Canvas& canvas, const ColourState& colour) : canvas_(canvas), colour_(colour) {}
    void perform(int x, int y, double strength) const override;

private:
    Canvas& canvas_;
    const ColourState& colour_;
};

} // namespace splot
