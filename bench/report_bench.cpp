// The printed report of a 1 000-line result list, written as a PDF file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/mainwindow.h"
#include "data/resultline.h"
#include "output/pdfcanvas.h"
#include "output/report.h"
#include "shell/nulloperator.h"

namespace {

void BM_ReportPdf1000Lines(benchmark::State& state) {
    const auto dir = std::filesystem::temp_directory_path() / "tarvo-bench-report";
    std::filesystem::create_directories(dir);
    tarvo::NullOperator op;
    const tarvo::FixedWallClock clock(tarvo::DateTime{2026, 12, 8, 9, 30, 0});
    tarvo::Session session(op, clock, dir, dir);
    tarvo::MainWindow w(session);
    for (int i = 1; i <= 1000; ++i) {
        w.lb1().Append(tarvo::BuildResultLine(i, "Kreis", " 3 D", 10.0L + i * 0.001L, i * 0.5L, -i * 0.25L, 3));
    }
    for (auto _ : state) {
        tarvo::PdfCanvas canvas(dir / "bericht.pdf");
        benchmark::DoNotOptimize(tarvo::PrintReport(w.Context(), canvas, ""));
    }
}
BENCHMARK(BM_ReportPdf1000Lines)->Unit(benchmark::kMillisecond);

}  // namespace
