// The fits the operator waits for after every measuring key.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

#include "geometry/circlefit.h"
#include "geometry/lines.h"

namespace {

tarvo::PointList NoisyArc(int n, double span) {
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0, 0.002);
    tarvo::PointList l;
    for (int i = 0; i < n; ++i) {
        const double a = (10 + span * i / n) * 3.14159265358979 / 180;
        l.Add(25.4 + 12.5 * std::cos(a) + noise(rng), -7.3 + 12.5 * std::sin(a) + noise(rng));
    }
    return l;
}

void BM_CircleFit(benchmark::State& state) {
    const tarvo::PointList l = NoisyArc(static_cast<int>(state.range(0)), 360);
    tarvo::GeometryState st;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::CircleFit(l, st));
    }
}
BENCHMARK(BM_CircleFit)->Arg(3)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

// Many points close together on a 30-degree arc: the case the least-squares check exists for.
void BM_CircleFitPartialArc(benchmark::State& state) {
    const tarvo::PointList l = NoisyArc(static_cast<int>(state.range(0)), 30);
    tarvo::GeometryState st;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::CircleFit(l, st));
    }
}
BENCHMARK(BM_CircleFitPartialArc)->Arg(50)->Unit(benchmark::kMicrosecond);

void BM_LineFit(benchmark::State& state) {
    std::mt19937 rng(7);
    std::normal_distribution<double> noise(0, 0.002);
    tarvo::PointList l;
    for (int i = 0; i < 50; ++i) {
        l.Add(3 + i * 0.8 + noise(rng), 5 + i * 0.3 + noise(rng));
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::LineFit(l));
    }
}
BENCHMARK(BM_LineFit)->Unit(benchmark::kMicrosecond);

}  // namespace
