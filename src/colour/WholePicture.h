#pragma once

#include "paint/PaintState.h"

namespace splot {

class Canvas;

// Whole-picture colour actions. Both make one pass over every pixel through
// the canvas's row table at full strength, take no undo snapshot and do not
// repaint: the caller refreshes the view afterwards.

// Every byte of every pixel becomes 255 minus its value.
void invertWholePicture(Canvas& canvas);

// Every pixel becomes the target of the action (channels read before any is
// written). With Invert this inverts the picture like invertWholePicture.
void applyChannelActionWholePicture(Canvas& canvas, RgbAction action);

} // namespace splot
