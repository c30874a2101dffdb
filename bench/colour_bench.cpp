#include "colour/WholePicture.h"
#include "paint/Canvas.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

// An n x n canvas filled with varied bytes, so no pass can shortcut.
void fillVaried(splot::Canvas& canvas) {
    std::uint32_t v = 12345;
    for (int y = 0; y < canvas.imageHeight(); ++y) {
        auto* p = reinterpret_cast<std::uint8_t*>(canvas.row(y));
        for (int i = 0; i < canvas.imageWidth() * 3; ++i) {
            v = v * 1664525u + 1013904223u;
            p[i] = static_cast<std::uint8_t>(v >> 24);
        }
    }
}

void runWhole(benchmark::State& state, splot::RgbAction action) {
    const int n = static_cast<int>(state.range(0));
    splot::Canvas canvas;
    canvas.rebuild(n, n, splot::Rebuild::Cleared, 255);
    fillVaried(canvas);
    for (auto _ : state) {
        splot::applyChannelActionWholePicture(canvas, action);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * n * n * 3);
}

void BM_InvertWhole(benchmark::State& state) {
    runWhole(state, splot::RgbAction::Invert);
}
BENCHMARK(BM_InvertWhole)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_CycleWhole(benchmark::State& state) {
    runWhole(state, splot::RgbAction::Cycle);
}
BENCHMARK(BM_CycleWhole)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_SwapWhole(benchmark::State& state) {
    runWhole(state, splot::RgbAction::RandB);
}
BENCHMARK(BM_SwapWhole)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
