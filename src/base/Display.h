#pragma once

#include "base/CanvasGeometry.h"

#include <vector>

namespace splot {

// Repaints the image view from the canvas bytes, at once: when a call returns
// (or the outermost batch ends) the window holds the new pixels and has
// handed them to the screen. flushNow() is for a display that holds some
// back; the session calls it when a command ends. Besides what it is asked
// to repaint, every repaint also covers the pixels of the last outline
// shown, so an outline disappears from the screen with the next repaint.
class Display {
public:
    virtual ~Display() = default;
    virtual void repaint(const CanvasRect& changed) = 0;
    virtual void repaintAll() = 0;
    // Shows the brush outline: at this moment the canvas holds the dot colours
    // at these pixels; right after the call the canvas gets its own bytes back,
    // while the screen keeps the dots until a later repaint covers them.
    // Pixels outside the canvas are ignored.
    virtual void showOutline(const std::vector<CanvasPoint>& dots) = 0;

    // Repaints just these row spans (the pixels a stamp changed), in rows
    // inside the canvas; by default their bounding rectangle.
    virtual void repaintSpans(const std::vector<CanvasSpan>& spans) {
        CanvasRect box;
        for (const CanvasSpan& s : spans)
            box = box.united(CanvasRect{s.left, s.y, s.right, s.y});
        if (!box.empty())
            repaint(box);
    }

    // Between beginBatch() and the matching endBatch() the repaints and
    // outlines are collected, and the end of the outermost batch puts their
    // net result on screen in one step: the screen then shows what it would
    // after the calls one by one (the last outline included), with one
    // flush instead of one per call. Batches nest.
    virtual void beginBatch() {}
    virtual void endBatch() {}

    // Everything repainted so far reaches the screen before this returns (the
    // end of a command: a mouse move, a click, a walk, a circle).
    virtual void flushNow() {}
};

} // namespace splot
