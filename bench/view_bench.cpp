// The averaged view renderer alone on a square box of device pixels at 20 %
// (each device pixel averages 5 x 5 picture pixels), on one thread (second
// argument 0) and shared among the worker threads (1): where sharing starts
// to pay.
#include "base/WorkerPool.h"
#include "view/ViewRenderer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

void BM_ViewRenderAveraged(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0));
    const int size = side * 5;
    const std::size_t stride = static_cast<std::size_t>(size) * 3;
    std::vector<std::uint8_t> bits(stride * size);
    for (std::size_t i = 0; i < bits.size(); ++i)
        bits[i] = static_cast<std::uint8_t>(i * 7 + i / stride);
    std::vector<std::uint32_t> out(static_cast<std::size_t>(side) * side);
    const splot::Zoom fifth{1, 5};
    const splot::ViewAxis x(size, fifth, 1.0, 0), y(size, fifth, 1.0, 0);
    splot::WorkerPool pool(splot::WorkerPool::threadsFromEnvironment(), splot::WorkerPool::Sharing::Always);
    splot::ViewRenderer renderer;
    if (state.range(1) != 0)
        renderer.setWorkers(&pool);
    const splot::PictureBits picture{bits.data(), stride, size, size};
    for (auto _ : state) {
        renderer.render(picture, x, y, splot::DeviceBox{0, 0, side, side},
                        splot::DeviceImage{out.data(), static_cast<std::size_t>(side), 0, 0});
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_ViewRenderAveraged)
    ->ArgsProduct({{64, 256, 500, 1000}, {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
