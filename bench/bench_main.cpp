// Benchmarks of the hot paths. Run build/splot-bench; add
// --benchmark_format=json for machine-readable output.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
