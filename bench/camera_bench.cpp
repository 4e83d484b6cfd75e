// The camera: one frame of the simulated camera at 1280 x 720 (what the live view shows at its
// frame rate), one edge probe and one circle probe on such a frame.
#include <benchmark/benchmark.h>

#include "readout/edgeprobe.h"
#include "readout/simulatedcamera.h"

namespace {

// The sample's 10 mm hole at (70, 20): its left rim under the cross-hair.
tarvo::GreyImage HoleFrame(tarvo::SimulatedCamera& cam) {
    cam.SetStagePosition(65.5, 20.3);
    tarvo::GreyImage frame;
    (void)cam.Grab(frame);
    return frame;
}

void BM_CameraFrame(benchmark::State& state) {
    tarvo::SimulatedCamera cam;
    cam.SetStagePosition(65.5, 20.3);
    tarvo::GreyImage frame;
    for (auto _ : state) {
        benchmark::DoNotOptimize(cam.Grab(frame));
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CameraFrame)->Unit(benchmark::kMillisecond);

void BM_EdgeProbe(benchmark::State& state) {
    tarvo::SimulatedCamera cam;
    const tarvo::GreyImage frame = HoleFrame(cam);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::ProbeEdge(frame, {545, 358}));
    }
}
BENCHMARK(BM_EdgeProbe)->Unit(benchmark::kMicrosecond);

void BM_CircleProbe12(benchmark::State& state) {
    // A 1 mm circle (200 pixels across) in the middle of the frame.
    tarvo::SimulatedCamera cam(tarvo::CertifiedCircle(1.0, 0, 0));
    cam.SetStagePosition(0, 0);
    tarvo::GreyImage frame;
    (void)cam.Grab(frame);
    const tarvo::PixelPoint seeds[3] = {{739.5, 359.5}, {590, 275}, {590, 445}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(tarvo::ProbeCircle(frame, seeds, 12));
    }
}
BENCHMARK(BM_CircleProbe12)->Unit(benchmark::kMicrosecond);

}  // namespace
