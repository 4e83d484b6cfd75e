// Formatting and reading of point items: every capture and every evaluation goes through them.
#include <benchmark/benchmark.h>

#include "base/text.h"
#include "data/pointmemory.h"

static void BM_FormatReal(benchmark::State& state) {
    long double v = -1234.56789L;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::FormatReal(v, 10, 3));
        v += 0.001L;
    }
}
BENCHMARK(BM_FormatReal);

static void BM_ReadPointItem(benchmark::State& state) {
    const std::string item = tarvo::PointItemText(12.5L, -3.25L, 3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::ParsePointItem(item));
    }
}
BENCHMARK(BM_ReadPointItem);
