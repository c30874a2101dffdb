#include "colour/RgbActions.h"

#include "paint/Canvas.h"

namespace splot {

void PerformRGBAction(Canvas& canvas, const ColourState& colour, int x, int y, double s) {
    BgrPixel& out = canvas.pixel(x, y);
    const BgrPixel source = colour.silly ? out : canvas.actionSourceRow(y)[x];
    const BgrPixel target = actionTarget(colour.selectedAction, source);
    out.red = static_cast<std::uint8_t>(ProportionBetween(source.red, target.red, s));
    out.green = static_cast<std::uint8_t>(ProportionBetween(source.green, target.green, s));
    out.blue = static_cast<std::uint8_t>(ProportionBetween(source.blue, target.blue, s));
}

void RgbPaintedAction::perform(int x, int y, double strength) const {
    PerformRGBAction(canvas_, colour_, x, y, strength);
}

} // namespace splot
