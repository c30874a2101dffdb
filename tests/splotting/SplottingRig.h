#pragma once

#include "splotting/Splotting.h"
#include "splotting/SplottingState.h"
#include "splotting/WalkHost.h"
#include "support/CanvasFixture.h"

#include <algorithm>
#include <functional>

namespace splot::test {

// Counts event passes and legs; runs an optional command inside an event pass.
class FakeWalkHost : public WalkHost {
public:
    void processEvents() override {
        ++passes;
        if (onEvents)
            onEvents(passes);
    }
    bool walksCancelled() const override { return cancelled; }
    void legJoined() override { ++legs; }

    int passes = 0;
    int legs = 0;
    bool cancelled = false;
    std::function<void(int)> onEvents;
};

// A white 600 x 600 picture with the splotting engine around it; pen width 10
// and section length 5, so a walk steps 5 pixels and stamps 5 pixels wide.
struct SplottingRig : EngineRig {
    explicit SplottingRig(int w = 600, int h = 600, bool white = true) : EngineRig(w, h, white) {
        state.paint.penWidth = 10;
        state.shape.shapeSectionLength = 5;
    }

    // Changes the canvas size the way New and Resize do.
    void rebuild(int w, int h) {
        canvas.rebuild(w, h, Rebuild::KeepPicture, state.paint.backgroundIsWhite ? 255 : 0);
        state.paint.imageWidth = w;
        state.paint.imageHeight = h;
    }

    // Centre of repainted rectangle i: the stamp's centre for odd widths.
    double stampX(std::size_t i) const { return (display.rects[i].left + display.rects[i].right) / 2.0; }
    double stampY(std::size_t i) const { return (display.rects[i].bottom + display.rects[i].top) / 2.0; }
    int highestTop() const {
        int top = -1;
        for (const auto& r : display.rects)
            top = std::max(top, r.top);
        return top;
    }
    int lowestBottom() const {
        int bottom = 1 << 30;
        for (const auto& r : display.rects)
            bottom = std::min(bottom, r.bottom);
        return bottom;
    }

    SplottingState splotting;
    FakeWalkHost host;
    Splotting splot{state, splotting, canvas, painter, random, host};
    PenTravel& travel = splot.travel();
};

inline const BgrPixel white{255, 255, 255};

} // namespace splot::test
