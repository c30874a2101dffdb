#include "base/SplotState.h"
#include "history/History.h"
#include "paint/Canvas.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

// The physical-limit reference: a plain copy of the canvas bytes into a
// buffer that stays allocated.
void BM_CanvasCopy(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    splot::Canvas canvas;
    canvas.rebuild(n, n, splot::Rebuild::Cleared, 255);
    const std::size_t bytes = static_cast<std::size_t>(canvas.bytesPerLine()) * n;
    std::vector<std::uint8_t> target(bytes, 1);
    for (auto _ : state) {
        std::memcpy(target.data(), canvas.bits(), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_CanvasCopy)->Arg(5000)->Unit(benchmark::kMillisecond);

// A new n x n picture as MakeNewImage makes it from a smaller one: the canvas
// rebuilt at the new size, the undo snapshot of the clear, the background fill.
void BM_NewImage(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    splot::Canvas canvas;
    splot::ColourState colour;
    splot::History history(canvas, colour);
    for (auto _ : state) {
        state.PauseTiming();
        canvas.rebuild(600, 600, splot::Rebuild::Cleared, 255);
        state.ResumeTiming();
        canvas.rebuild(n, n, splot::Rebuild::Cleared, 255);
        history.MakeUndoFromRows();
        canvas.fill(255);
        benchmark::DoNotOptimize(canvas.bits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_NewImage)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
