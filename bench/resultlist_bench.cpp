// A long shift's result list: load and save 100 000 lines, renumber 65 535.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "data/resultline.h"
#include "data/resultlist.h"

namespace {

std::filesystem::path ListFile() {
    static const std::filesystem::path file = [] {
        const auto f = std::filesystem::temp_directory_path() / "tarvo-bench-speicher.dat";
        tarvo::ResultList list;
        for (int i = 1; i <= 100000; ++i) {
            list.Append(tarvo::BuildResultLine(i % 1000, "Kreis", " 3 D", 10.0L + i * 0.001L, i * 0.5L, -i * 0.25L, 3));
        }
        (void)list.SaveToFile(f);
        return f;
    }();
    return file;
}

void BM_LoadResultList(benchmark::State& state) {
    const auto file = ListFile();
    for (auto _ : state) {
        tarvo::ResultList list;
        benchmark::DoNotOptimize(list.LoadFromFile(file));
    }
}
BENCHMARK(BM_LoadResultList)->Unit(benchmark::kMillisecond);

// Line numbers end at 65535, so renumbering is measured on the longest list it can number.
void BM_RenumberResultList(benchmark::State& state) {
    tarvo::ResultList list;
    (void)list.LoadFromFile(ListFile());
    std::vector<std::string> lines = list.Lines();
    lines.resize(65535);
    list.SetLines(lines);
    for (auto _ : state) {
        list.Renumber();
    }
}
BENCHMARK(BM_RenumberResultList)->Unit(benchmark::kMillisecond);

void BM_SaveResultList(benchmark::State& state) {
    tarvo::ResultList list;
    (void)list.LoadFromFile(ListFile());
    const auto out = std::filesystem::temp_directory_path() / "tarvo-bench-out.dat";
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.SaveToFile(out));
    }
}
BENCHMARK(BM_SaveResultList)->Unit(benchmark::kMillisecond);

}  // namespace
