// The bitmap view's area: fill and count of the default 3000 x 1500 picture, the polygon nearly
// filling it (the worst case an operator meets), and the element graphic's picture file.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "data/pointmemory.h"
#include "shell/uitexts.h"
#include "views/bitmapview.h"
#include "views/elementgraphic.h"
#include "views/pngwriter.h"

namespace {

tarvo::BitmapView LargeEllipse(const std::filesystem::path& dir) {
    tarvo::BitmapView view(dir);
    for (int i = 0; i < 720; ++i) {
        const double a = i * M_PI / 360;
        view.lb1.push_back(tarvo::PointItemText(14.5 * std::cos(a), 7.2 * std::sin(a), 4));
    }
    view.FormShow();
    return view;
}

void BM_AreaFillAndCount(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "tarvo-bench-area";
    std::filesystem::create_directories(dir);
    tarvo::BitmapView view = LargeEllipse(dir);
    for (auto _ : state) {
        state.PauseTiming();
        view.Draw();
        view.StartArea();
        const auto [px, py] = view.PixelOf(0, 0);
        state.ResumeTiming();
        benchmark::DoNotOptimize(view.Click(px, py));
    }
    state.counters["area_mm2"] = static_cast<double>(view.Result());
}
BENCHMARK(BM_AreaFillAndCount)->Unit(benchmark::kMillisecond);

void BM_ElementGraphicPng(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "tarvo-bench-graphic";
    std::filesystem::create_directories(dir);
    const tarvo::UiTexts texts;
    tarvo::ElementGraphic graphic(dir, texts);
    std::vector<std::string> lines;
    for (int i = 0; i < 100; ++i) {
        lines.push_back("  1 Kreis    3 D              " + std::to_string(10 + i % 7) + ".000      " +
                        std::to_string(i) + ".000      " + std::to_string(i % 13) + ".000");
    }
    graphic.SetLines(lines);
    for (auto _ : state) {
        tarvo::PixelBuffer picture(graphic.Width(), graphic.Height());
        tarvo::PixelCanvas canvas(picture);
        graphic.Draw(canvas);
        benchmark::DoNotOptimize(tarvo::WritePng(dir / "grafik.png", picture));
    }
}
BENCHMARK(BM_ElementGraphicPng)->Unit(benchmark::kMillisecond);

}  // namespace
