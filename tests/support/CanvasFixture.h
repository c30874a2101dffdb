#pragma once

#include "base/Random.h"
#include "base/SplotState.h"
#include "colour/RgbActions.h"
#include "paint/Canvas.h"
#include "paint/Painter.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace splot::test {

// A small canvas with the painting engine around it, no window.
struct EngineRig {
    explicit EngineRig(int w = 20, int h = 20, bool white = false) {
        state.paint.backgroundIsWhite = white;
        state.paint.imageWidth = w;
        state.paint.imageHeight = h;
        canvas.rebuild(w, h, false, white);
        canvas.setDisplay(&display);
        // Plain defaults for exact tests: hard edge, full intensity, speckly 100.
        state.paint.fuzzy = false;
        state.colour.red = 255;
        state.colour.green = 123;
        state.colour.blue = 34;
    }
    void fill(BgrPixel p) {
        for (int y = 0; y < canvas.imageHeight(); ++y)
            for (int x = 0; x < canvas.imageWidth(); ++x)
                canvas.pixel(x, y) = p;
    }
    // Pixels that differ from p.
    int countNot(BgrPixel p) const {
        int n = 0;
        for (int y = 0; y < canvas.imageHeight(); ++y)
            for (int x = 0; x < canvas.imageWidth(); ++x)
                n += !(canvas.pixel(x, y) == p);
        return n;
    }

    SplotState state;
    Canvas canvas;
    Random random{12345};
    RecordingDisplay display;
    RgbPaintedAction action{canvas, state.colour};
    Painter painter{state, canvas, random, action};
};

} // namespace splot::test
