// Brush stamps along a stroke on a 5000 x 5000 canvas, with no display
// attached (the repaint request costs nothing). The colour is 255, 123, 34, so
// all three channels change, and each repetition starts on a freshly cleared
// canvas, so no case runs on a saturated picture. Each case reports
// ns_per_px: CPU nanoseconds per pixel of the stamp's w x w square. The
// console prints it with an "s" after it, as it does for every inverted
// rate; the number itself is in nanoseconds (JSON gives the bare number).
#include "colour/RgbActions.h"
#include "paint/Canvas.h"
#include "paint/Painter.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

using splot::SplotState;

// One canvas for every case: building a 5000 x 5000 canvas is measured by
// BM_NewImage, not here.
splot::Canvas& bigCanvas() {
    static splot::Canvas canvas;
    static const bool built = (canvas.rebuild(5000, 5000, false, true), true);
    (void)built;
    return canvas;
}

// Stamps of width w along a diagonal stroke. Mouse strokes stamp at whole
// pixels a few pixels apart; walks and circles at fractional positions.
// perStamp, when given, changes the state before each stamp.
void stampStroke(benchmark::State& bench, const std::function<void(SplotState&)>& brush, bool fractional,
                 const std::function<void(SplotState&, int)>& perStamp = {}) {
    const int w = static_cast<int>(bench.range(0));
    bigCanvas().fill(0);
    SplotState state;
    state.colour.red = 255;
    state.colour.green = 123;
    state.colour.blue = 34;
    state.paint.imageWidth = 5000;
    state.paint.imageHeight = 5000;
    state.paint.penWidth = w;
    state.circle.circleUsePenWidth = w > 200;
    brush(state);
    splot::Random random(42);
    splot::RgbPaintedAction action(bigCanvas(), state.colour);
    splot::Painter painter(state, bigCanvas(), random, action);

    const double stepX = fractional ? 2.371 : 3;
    const double stepY = fractional ? 1.613 : 2;
    double x = 1200, y = 1200;
    int stamp = 0;
    for (auto _ : bench) {
        if (perStamp)
            perStamp(state, stamp++);
        painter.DrawOnImage(splot::KMingo(x, y), w, true, splot::widestStamp(state.circle));
        x += stepX;
        y += stepY;
        if (x > 3800 || y > 3800) {
            x = 1200 + (x - 3800) * 0.25;
            y = 1200;
        }
    }
    // Rate of pixels per nanosecond, inverted: nanoseconds per pixel.
    bench.counters["ns_per_px"] =
        benchmark::Counter(static_cast<double>(w) * w * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_StampRoundFuzzy(benchmark::State& bench) {
    stampStroke(
        bench, [](SplotState&) {}, false);
}
BENCHMARK(BM_StampRoundFuzzy)->Arg(30)->Arg(200)->Arg(1000);

void BM_StampRoundFuzzyFractional(benchmark::State& bench) {
    stampStroke(
        bench, [](SplotState&) {}, true);
}
BENCHMARK(BM_StampRoundFuzzyFractional)->Arg(200);

// The fuzziness drifts at every stamp, as with the fuzziness drift on: the
// weights and byte changes are computed afresh each time.
void BM_StampFuzzyDrift(benchmark::State& bench) {
    stampStroke(
        bench, [](SplotState& s) { s.paint.fuzziness = 0.6; }, false,
        [](SplotState& s, int stamp) { s.stroke.fuzzinessOffset = (stamp % 200) * 0.002; });
}
BENCHMARK(BM_StampFuzzyDrift)->Arg(200);

// A random colour for every pixel (the Colours item "point").
void BM_StampRandomColour(benchmark::State& bench) {
    stampStroke(
        bench, [](SplotState& s) { s.colour.randomColourMethod = splot::RandomColourMethod::Point; }, false);
}
BENCHMARK(BM_StampRandomColour)->Arg(200);

void BM_StampRoundHard(benchmark::State& bench) {
    stampStroke(
        bench, [](SplotState& s) { s.paint.fuzzy = false; }, false);
}
BENCHMARK(BM_StampRoundHard)->Arg(200)->Arg(1000);

void BM_StampSquareHard(benchmark::State& bench) {
    stampStroke(
        bench,
        [](SplotState& s) {
            s.paint.fuzzy = false;
            s.paint.squareBrush = true;
        },
        false);
}
BENCHMARK(BM_StampSquareHard)->Arg(200);

void BM_StampSpeckly50(benchmark::State& bench) {
    stampStroke(
        bench, [](SplotState& s) { s.paint.speckly = 50; }, false);
}
BENCHMARK(BM_StampSpeckly50)->Arg(200);

void BM_Stamp3D(benchmark::State& bench) {
    stampStroke(
        bench,
        [](SplotState& s) {
            s.paint.draw3d = true;
            s.paint.depth3d = 12;
        },
        false);
}
BENCHMARK(BM_Stamp3D)->Arg(200);

} // namespace
