#include "base/SplotState.h"
#include "history/History.h"
#include "paint/Canvas.h"

#include <benchmark/benchmark.h>

namespace {

// One level of history on an n x n canvas; every buffer touched once first,
// so the figures show the copies and not the first page faults.
struct HistoryRig {
    explicit HistoryRig(int n) {
        canvas.rebuild(n, n, splot::Rebuild::Cleared, 255);
        history.MakeUndoFromRows();
        history.Undo();
        history.Redo();
    }
    splot::Canvas canvas;
    splot::ColourState colour;
    splot::History history{canvas, colour};
};

void setBytes(benchmark::State& state, const splot::Canvas& canvas) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * canvas.imageWidth() *
                            canvas.imageHeight() * 3);
}

void BM_Snapshot(benchmark::State& state) {
    HistoryRig rig(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        rig.history.MakeUndoFromRows();
        benchmark::ClobberMemory();
    }
    setBytes(state, rig.canvas);
}
BENCHMARK(BM_Snapshot)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_Undo(benchmark::State& state) {
    HistoryRig rig(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        rig.history.EnableUndoRedo(true, false);
        rig.history.Undo();
        benchmark::ClobberMemory();
    }
    setBytes(state, rig.canvas);
}
BENCHMARK(BM_Undo)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_Redo(benchmark::State& state) {
    HistoryRig rig(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        rig.history.EnableUndoRedo(false, true);
        rig.history.Redo();
        benchmark::ClobberMemory();
    }
    setBytes(state, rig.canvas);
}
BENCHMARK(BM_Redo)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
