// Any bytes as the line files the program reads: "iso_tol.dat" with its lookup, the result list
// ("speicher.dat", "temp.lst") read back by columns, a names file, the DXF templates with their
// limits from "dxfout", and the export folder file "asc_pfad.cfg". The readers never crash or
// hang, a result line read back by columns never fails, and what a reader refuses leaves the
// list in memory as it was.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/fileio.h"
#include "data/feature.h"
#include "data/isotolerance.h"
#include "data/resultline.h"
#include "data/resultlist.h"
#include "fuzzdir.h"
#include "output/asciiexport.h"
#include "output/dxf.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path dir = FuzzDir("files");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const char* name :
         {"iso_tol.dat", "speicher.dat", "mrk_var.txt", "dxfhead.asc", "dxftail.asc", "dxfout", "asc_pfad.cfg"}) {
        std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    for (const char* text : {"20H7", "18 h6", "1,5K12", "x"}) {
        (void)tarvo::IsoToleranceLookup(text, dir / "iso_tol.dat");
    }
    tarvo::ResultList list;
    list.SetLines({"kept"});
    if (!list.LoadFromFile(dir / "speicher.dat") && list.Lines() != std::vector<std::string>{"kept"}) {
        std::abort();  // a refused file replaced the list in memory
    }
    for (const auto& line : list.Lines()) {
        (void)tarvo::ReadColumn(line, tarvo::kValueColumn);
        (void)tarvo::ReadColumn(line, tarvo::kXColumn);
        (void)tarvo::ReadColumn(line, tarvo::kYColumn);
    }
    (void)tarvo::LoadFeatureNames(dir / "mrk_var.txt");
    tarvo::DxfSettings dxf;
    tarvo::LoadDxfSettings(dir, dxf);
    (void)tarvo::DxfHeader(dir, dxf);
    (void)tarvo::LoadExportFolder(dir);
    (void)tarvo::TakeFileNotes();
    return 0;
}
