#pragma once

#include "base/SplotState.h"

namespace splot {

// The brush values behind the main window's sliders. Positions are the
// sliders' own (1..100); results go into the painting state.

// Fuzzy fraction of the radius: p / 100, 0.01..1.00.
double CalculateFuzziness(int position);
// Intensity factor: 1 - ((100 - p) / 100)^2, so 1.0 at 100, 0.75 at 50 and
// 0.0199 at 1: the low end of the slider gives fine control of faint paint.
double CalculateIntensity(int position);
// Speckle density: the position itself (a pixel paints when the speckle draw,
// 0..99, is below it).
int CalculateSpeckly(int position);

// Stroke drift. After each mouse-move stamp of a stroke every drift whose use
// flag is on advances its offset by one step, in this order:
//   intensityOffset += intensifySpeed / 10000   (at most 0.01 per move)
//   fuzzinessOffset += fuzzifySpeed / 20000     (at most 0.005)
//   widthOffset     += growthSpeed / 20         (at most 5 pixels)
//   depthOffset     += depth3dSpeed / 10        (at most 5)
//   speckleOffset   -= specklifySpeed / 50      (at most 1; positive speeds
//                                                make the speckles denser)
// The offsets are unbounded; the stamp clamps where it applies them.
void UpdateBrushVariables(const PaintingState& paint, StrokeState& stroke);

// All five drift offsets back to zero (end of a stroke).
void ResetBrushVariables(StrokeState& stroke);

} // namespace splot
