// Benchmarks of the hot paths. Run build/splot-bench; add
// --benchmark_format=json for machine-readable output. SPLOT_DISPATCH=baseline,
// avx2 or avx512 runs the kernels of that level instead of the best one the
// processor has.
#include "paint/Dispatch.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (const char* name = std::getenv("SPLOT_DISPATCH")) {
        const auto level = splot::parseDispatchLevel(name);
        if (!level) {
            std::fprintf(stderr, "SPLOT_DISPATCH must be baseline, avx2 or avx512\n");
            return 2;
        }
        splot::forceDispatchLevel(*level);
    }
    benchmark::AddCustomContext("splot_dispatch", splot::dispatchLevelName(splot::dispatchLevel()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
