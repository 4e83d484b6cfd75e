// Any bytes as a program file, replayed with captures arriving, and as the header files, a
// memory file, "teiledat.txt", "dxfout" and the marker file "timer": the runner and the readers
// never crash or hang, whatever words, parameters and line ends the file holds.
#include <filesystem>
#include <fstream>
#include <string>

#include "app/commandtable.h"
#include "app/mainwindow.h"
#include "fuzzdir.h"
#include "fuzzoperator.h"
#include "output/dxf.h"
#include "output/headerdata.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path dir = [] {
        auto d = FuzzDir("programs");
        std::filesystem::create_directories(d / "prg");
        return d;
    }();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(dir / "prg" / "p.PRG", std::ios::binary | std::ios::trunc) << bytes;
    std::ofstream(dir / "t.HED", std::ios::binary | std::ios::trunc) << bytes;
    std::ofstream(dir / "teiledat.txt", std::ios::binary | std::ios::trunc) << bytes;
    std::ofstream(dir / "dxfout", std::ios::binary | std::ios::trunc) << bytes;
    std::ofstream(dir / "timer", std::ios::binary | std::ios::trunc) << bytes;
    std::ofstream(dir / "m.spt", std::ios::binary | std::ios::trunc) << bytes;
    std::filesystem::remove(dir / "speicher.dat");
    std::filesystem::remove(dir / "TARVO.INI");

    (void)tarvo::ReadHeaderFile(dir / "t.HED");
    tarvo::ReportHeaderData header;
    tarvo::LoadHeaderLabels(dir, header);
    tarvo::DxfSettings dxf;
    tarvo::LoadDxfSettings(dir, dxf);
    tarvo::Settings settings;
    std::vector<std::string> problems;
    (void)tarvo::ApplyMarkerFiles(dir, settings, problems);

    FuzzOperator op;
    const tarvo::FixedWallClock clock(tarvo::DateTime{2026, 12, 8, 9, 30, 0});
    tarvo::Session session(op, clock, dir, dir);
    tarvo::MainWindow w(session);
    w.FormCreate();
    w.Run(tarvo::CommandOf(tarvo::CommandId::LoadMemory));
    w.Run(tarvo::CommandOf(tarvo::CommandId::RunProgram));
    for (int step = 0; step < 40 && !w.Runner().Idle(); ++step) {
        session.run.CurrentPos = {step * 1.5L, step % 7 * 2.0L};
        w.FormKeyDown(tarvo::kKeySpace);
        session.timers.Advance(200);
    }
    (void)w.Close();
    return 0;
}
