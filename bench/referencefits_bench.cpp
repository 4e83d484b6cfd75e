// The reference circles and lines on large scans: 1 000 and 100 000 points per method.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "geometry/referencefits.h"

namespace {

// A noisy full circle (radius 25, 5 um form, 1000 mm from the origin).
std::vector<tarvo::FitPoint> Circle(int n) {
    std::mt19937 rng(3);
    std::normal_distribution<double> noise(0, 0.005);
    std::vector<tarvo::FitPoint> p;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.14159265358979 * i / n;
        const double r = 25 + noise(rng);
        p.push_back({707.1 + r * std::cos(a), 707.1 + r * std::sin(a)});
    }
    return p;
}

std::vector<tarvo::FitPoint> Line(int n) {
    std::mt19937 rng(4);
    std::normal_distribution<double> noise(0, 0.005);
    std::vector<tarvo::FitPoint> p;
    for (int i = 0; i < n; ++i) {
        const double t = 100.0 * i / n;
        const double o = noise(rng);
        p.push_back({1000 + t * 0.8 - o * 0.6, -20 + t * 0.6 + o * 0.8});
    }
    return p;
}

void BM_Circle(benchmark::State& state, tarvo::CircleMethod m) {
    const auto p = Circle(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::FitCircle(p, m));
    }
}
void BM_Line(benchmark::State& state, tarvo::LineMethod m) {
    const auto p = Line(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::FitLine(p, m));
    }
}

BENCHMARK_CAPTURE(BM_Circle, LSCI, tarvo::CircleMethod::LSCI)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Circle, MZCI, tarvo::CircleMethod::MZCI)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Circle, MICI, tarvo::CircleMethod::MICI)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Circle, MCCI, tarvo::CircleMethod::MCCI)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, LSLI, tarvo::LineMethod::LSLI)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Line, MZLI, tarvo::LineMethod::MZLI)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
