// The entry of the influence benchmarks (war turns, election ticks).
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
