#pragma once

#include "base/SplotState.h"
#include "paint/BgrPixel.h"

#include <cstddef>

namespace splot {

class Canvas;

// Whole-picture RGB actions: one pass over the rows of the canvas through its
// row table, every pixel replaced by its target (full strength; the Silly and
// Draw with action flags play no part), then one repaint. No undo snapshot is
// taken and the unsaved-changes state is not touched.

// Tools > Invert: inverts every channel whatever action is selected.
void invertWholePicture(Canvas& canvas);

// Do Action and Tools > Cycle RGB: applies the given action. Invert is
// accepted and inverts, as Do Action does with Invert selected, so Tools >
// Cycle RGB with Invert selected inverts the picture instead of silently
// doing nothing.
void applyChannelActionWholePicture(Canvas& canvas, RgbAction action);

// True when the action would change some pixel of the canvas: Invert every
// pixel of a picture that has one, a cycle or swap only pixels whose moved
// channels differ. Reads until the first such pixel; the rows of one grey,
// which blank pictures are made of, take one byte comparison each.
bool actionChangesPicture(const Canvas& canvas, RgbAction action);

// Replaces the n pixels from p on by their targets, in place. Uses a vector
// byte shuffle where the processor has one and the per-pixel table elsewhere;
// the results are identical byte for byte.
void applyRgbActionToPixels(BgrPixel* p, std::size_t n, RgbAction action);

// The per-pixel reference: actionTarget on each pixel.
void applyRgbActionToPixelsScalar(BgrPixel* p, std::size_t n, RgbAction action);

} // namespace splot
