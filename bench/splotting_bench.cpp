// Pen walks, shape batches and circles with a display that does nothing, so
// the figures are the engine's own cost. The versions through the real window
// run the same work beside these.
#include "base/Random.h"
#include "colour/RgbActions.h"
#include "paint/Canvas.h"
#include "paint/Painter.h"
#include "splotting/Splotting.h"
#include "splotting/SplottingState.h"
#include "splotting/WalkHost.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

using namespace splot;

class NullDisplay : public Display {
public:
    void repaint(const CanvasRect&) override {}
    void repaintAll() override {}
    void showOutline(const std::vector<CanvasPoint>&) override {}
};

class QuietHost : public WalkHost {
public:
    void processEvents() override {}
    bool walksCancelled() const override { return false; }
};

// A white size x size picture with the splotting engine around it, with the
// program's default brush and shape settings.
struct Rig {
    explicit Rig(int size) {
        state.paint.imageWidth = size;
        state.paint.imageHeight = size;
        canvas.rebuild(size, size, false, true);
        canvas.setDisplay(&display);
    }
    // A hash of the canvas bytes; the window versions report the same one.
    void reportCanvas(benchmark::State& bench) const {
        std::uint64_t h = 1469598103934665603ULL;
        const std::size_t n = static_cast<std::size_t>(canvas.bytesPerLine()) * canvas.imageHeight();
        for (std::size_t i = 0; i < n; i += 61)
            h = (h ^ canvas.bits()[i]) * 1099511628211ULL;
        bench.counters["canvas"] = static_cast<double>(h % 1000000007ULL);
    }
    void clear() {
        std::memset(canvas.bits(), 255,
                    static_cast<std::size_t>(canvas.bytesPerLine()) * canvas.imageHeight());
    }

    SplotState state;
    Canvas canvas;
    NullDisplay display;
    Random random{2024};
    RgbPaintedAction action{canvas, state.colour};
    Painter painter{state, canvas, random, action};
    SplottingState splotting;
    QuietHost host;
    Splotting splot{state, splotting, canvas, painter, random, host};
};

// The walk from (100, 100) to (300, 100) at pen width 10 and section length
// 5: 39 steps of 12 stamps 5 pixels wide, each step looking 70 samples ahead.
void BM_WalkNoDisplay(benchmark::State& bench) {
    Rig rig(static_cast<int>(bench.range(0)));
    rig.state.paint.penWidth = 10;
    rig.state.shape.shapeSectionLength = 5;
    for (auto _ : bench) {
        // Clear the walk's band so every walk sees a blank way.
        for (int y = 90; y <= 110; ++y)
            std::fill(rig.canvas.row(y), rig.canvas.row(y) + rig.canvas.imageWidth(),
                      BgrPixel{255, 255, 255});
        const WalkResult r = rig.splot.travel().HeadFromAtoB(KMingo(100, 100), KMingo(300, 100));
        benchmark::DoNotOptimize(r);
    }
    rig.reportCanvas(bench);
}
BENCHMARK(BM_WalkNoDisplay)->Arg(600)->Unit(benchmark::kMicrosecond);

// The worst a walk that never arrives can cost now: in erase mode at pen
// width 30 and section length 30 the 90-pixel steps overshoot the target by
// 45 and come back until the length bound ends the walk (4054 steps).
void BM_WalkToLengthBoundNoDisplay(benchmark::State& bench) {
    Rig rig(static_cast<int>(bench.range(0)));
    rig.state.paint.eraseMode = true;
    rig.state.shape.shapeSectionLength = 30;
    for (auto _ : bench) {
        const WalkResult r = rig.splot.travel().HeadFromAtoB(KMingo(255, 300), KMingo(300, 300));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_WalkToLengthBoundNoDisplay)->Arg(600)->Unit(benchmark::kMillisecond);

// Draw Shape(s) with "Draw lots of shapes?": 31 random shapes, same seed
// each time, on a cleared picture.
void BM_DrawShapesLotsNoDisplay(benchmark::State& bench) {
    Rig rig(static_cast<int>(bench.range(0)));
    rig.state.shape.shapeDrawLots = true;
    for (auto _ : bench) {
        rig.clear();
        rig.random.seed(7);
        rig.splot.DrawShapes();
    }
    rig.reportCanvas(bench);
}
BENCHMARK(BM_DrawShapesLotsNoDisplay)->Arg(600)->Unit(benchmark::kMillisecond);

// Draw Circle with 720 points and its own pen width of 1000.
void BM_DrawCircleNoDisplay(benchmark::State& bench) {
    Rig rig(static_cast<int>(bench.range(0)));
    rig.state.circle.circleNumberOfPoints = 720;
    rig.state.circle.circleUsePenWidth = true;
    rig.state.circle.circlePenWidth = 1000;
    for (auto _ : bench)
        rig.splot.DrawCircle();
    rig.reportCanvas(bench);
}
BENCHMARK(BM_DrawCircleNoDisplay)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
