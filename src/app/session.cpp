#include "app/session.h"

#include "output/asciiexport.h"
#include "output/headerdata.h"

namespace tarvo {

void Session::PrepareWorkFolder() {
    if (ReadOnlyMedia()) {
        return;
    }
    RemoveStaleTempFiles(WorkDir());
    RemoveStaleTempFiles(WorkDir() / "prg");
    // The shipped files (ISO table, templates, header labels, names files, the example interface
    // profile) first, so that everything after reads them on the first start in a new folder too.
    if (!shippedData.empty()) {
        (void)CopyMissingFiles(shippedData, WorkDir(), false);
    }
    InstallDxfTemplates(WorkDir());
}

// Writing I/O ports of a machine without the card could disturb other hardware.
void Session::StartCounterCard() {
    if (settings.If3Inc == 0) {
        return;
    }
    if (ioPorts == nullptr) {
        Op().ShowError(CounterCardUnavailableProblem());  // once; the link then stays silent
        return;
    }
    for (const std::string& problem : InitCounterCard(WorkDir(), counterCard, *ioPorts)) {
        Op().ShowError(problem);
    }
}

void Session::LoadOutputSettings() {
    LoadHeaderLabels(WorkDir(), header);
    run.ExportFolder = LoadExportFolder(WorkDir());
    if (!ReadOnlyMedia()) {
        // A hidden half-written export must not lie in the folder the evaluation system reads.
        RemoveStaleTempFiles(folder.File(run.ExportFolder));
    }
    LoadDxfSettings(WorkDir(), dxf);
}

}  // namespace tarvo
