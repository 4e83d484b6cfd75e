#include "app/commandtable.h"

#include <array>
#include <string>

#include "app/mainwindow.h"
#include "app/windowcommands.h"
#include "coords/coordsystem.h"
#include "data/resultcommands.h"
#include "elements/measure.h"
#include "elements/reference.h"
#include "output/asciiexport.h"
#include "output/dxf.h"
#include "output/headerdata.h"
#include "programs/comparison.h"
#include "programs/recorder.h"
#include "shell/programwords.h"
#include "shell/uitexts.h"

namespace tarvo {

namespace {

using M = MainWindow;
constexpr int kF(int n) { return kKeyF1 + n - 1; }

// clang-format off
const std::array kCommands = {
    // Tool buttons of Panel1, row by row.
    Command{CommandId::CoordinateSystem, "SpeedButton8", Place::ToolPanel, 0, 0, 0, 0, "K-System", "K-System", "ksys.bmp", "", -1, [](M& w) { if (CoordinateSystemCommand(w.Context())) w.RequestFocus("lb1"); }, Enabled::Always},
    Command{CommandId::Circle, "SpeedButton1", Place::ToolPanel, 1, 0, kF(2), 0, "Kreis", "Kreis", "kreis1.bmp", word::kCircle, kResultCircle, [](M& w) { EvaluateCircle(w.Context()); }, Enabled::Always},
    Command{CommandId::Area, "SpeedButton14", Place::ToolPanel, 1, 1, 0, 0, "Fläche", "Fläche", "flaeche1.bmp", word::kArea, kResultArea, [](M& w) { MeasureArea(w.Context(), w.BitmapViewModel()); }, Enabled::Pictures},
    Command{CommandId::StartTeachIn, "SpeedButton11", Place::ToolPanel, 1, 2, 0, 0, "Lernen", "Lernen", "learn_1.bmp", word::kCircleMode, -1, [](M& w) { StartRecording(w.Context()); }, Enabled::NoRun},
    Command{CommandId::DistanceTwoPoints, "SpeedButton2", Place::ToolPanel, 2, 0, kF(3), 0, "2 Punkte", "2 Punkte", "abstand1.bmp", word::kDistanceTwoPoints, kResultDistanceTwoPoints, [](M& w) { DistanceTwoPoints(w.Context()); }, Enabled::Always},
    Command{CommandId::AxisDistance, "SpeedButton17", Place::ToolPanel, 2, 1, 0, 0, "X / Y", "X / Y", "Abst_xy.bmp", word::kAxisDistance, kResultDistanceX, [](M& w) { AxisDistanceCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::StopTeachIn, "SpeedButton12", Place::ToolPanel, 2, 2, 0, 0, "Lern-Ende", "Lern-Ende", "learn_2.bmp", "", -1, [](M& w) { (void)StopRecording(w.Context()); }, Enabled::Teaching},
    Command{CommandId::DistanceLinePoint, "SpeedButton3", Place::ToolPanel, 3, 0, kF(4), 0, "Gerade-Pkt", "Gerade-Pkt", "abstand2.bmp", word::kDistanceLinePoint, kResultDistanceLinePoint, [](M& w) { DistanceLinePoint(w.Context()); }, Enabled::Always},
    Command{CommandId::PointEntry, "SpeedButton18", Place::ToolPanel, 3, 1, 0, 0, "Eingabe", "Eingabe", "punkt3.bmp", word::kPointEntry, -1, [](M& w) { PointEntry(w.Context()); }, Enabled::Always},
    Command{CommandId::RunProgram, "SpeedButton13", Place::ToolPanel, 3, 2, 0, 0, "Programm", "Programm", "wdh1.bmp", "", -1, [](M& w) { w.Runner().RunProgram(); }, Enabled::RunIdle},
    Command{CommandId::Angle, "SpeedButton4", Place::ToolPanel, 4, 0, kF(5), 0, "Winkel", "Winkel", "winkel1.bmp", word::kAngle, kResultAngle, [](M& w) { AngleBetweenLines(w.Context()); }, Enabled::Always},
    Command{CommandId::Comparison, "SpeedButton16", Place::ToolPanel, 4, 1, 0, 0, "Soll-Ist", "Soll-Ist", "soll_ist.bmp", word::kCompareVariable, kResultCompareNominal, [](M& w) { CompareNominalActual(w.Context(), &w.Journal()); }, Enabled::Always},
    Command{CommandId::AsciiExport, "SpeedButton19", Place::ToolPanel, 4, 2, 0, 0, "ASCII", "ASCII", "spc.bmp", word::kAscii, -1, [](M& w) { AsciiExport(w.Context()); }, Enabled::Always, [](M& w, const ProgramLine& p) { ReplayAsciiExport(w.Context(), p.Rest[1]); }},
    Command{CommandId::Line, "SpeedButton6", Place::ToolPanel, 5, 0, kF(6), 0, "Gerade", "Gerade", "gerade1.bmp", word::kLine, kResultLine, [](M& w) { LineCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::SymmetryLine, "SpeedButton9", Place::ToolPanel, 5, 1, 0, 0, "Symetrie", "Symetrie", "sym_gr1.bmp", word::kSymmetryLine, kResultSymmetryLine, [](M& w) { SymmetryLineCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::PrintReport, "SpeedButton15", Place::ToolPanel, 5, 2, 0, 0, "Drucken", "Drucken", "drucken1.bmp", word::kPrint, -1, [](M& w) { w.PrintReportNow(); }, Enabled::Always},
    Command{CommandId::Point, "SpeedButton5", Place::ToolPanel, 6, 0, kF(7), 0, "Punkt", "Punkt", "punkt1.bmp", word::kPoint, kResultPoint, [](M& w) { PointCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::TextLine, "SpeedButton21", Place::ToolPanel, 6, 1, 0, 0, "Textzeile", "Textzeile", "text1.bmp", word::kText, -1, [](M& w) { TextLineCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::Help, "SpeedButton10", Place::ToolPanel, 6, 2, kF(1), 0, "Hilfe", "Hilfe", "buch1.bmp", "", -1, [](M& w) { w.session().changes.HelpRequested.Notify(); }, Enabled::Always},
    Command{CommandId::ClearAll, "SpeedButton22", Place::ToolPanel, 7, 0, 0, 0, "Löschen", "Löschen", "loesch1.bmp", "", -1, [](M& w) { ClearAllMemories(w.Context()); }, Enabled::Always},
    Command{CommandId::HeaderData, "SpeedButton20", Place::ToolPanel, 7, 1, 0, 0, "Kopfdaten", "Kopfdaten", "head_dta.bmp", "", -1, [](M& w) { EditHeaderData(w.Context()); }, Enabled::Always},
    Command{CommandId::Exit, "SpeedButton7", Place::ToolPanel, 7, 2, 0, 0, "Ende", "Ende", "ende1.bmp", "", -1, [](M& w) { w.SpeedButton7Click(); }, Enabled::Always},
    // The point list's clear button, the trigger and zero buttons, the keys of the window.
    Command{CommandId::ClearPoints, "SpeedButton23", Place::PointList, 0, 0, 0, 0, "X", "Punktespeicher löschen", "", "", -1, [](M& w) { w.Context().ClearPoints(); }, Enabled::Always},
    Command{CommandId::KeyboardTrigger, "SpeedButton24", Place::TopPanel, 0, 0, 0, 0, "Tastatur", "Triggern mit Tastatur", "", "", -1, [](M& w) { w.Link().SelectKeyboardTrigger(); }, Enabled::FootSwitchMode},
    Command{CommandId::FootSwitchTrigger, "SpeedButton25", Place::TopPanel, 1, 0, 0, 0, "Fußschalter", "Triggern mit Fußschalter/Kantra", "", "", -1, [](M& w) { w.Link().SelectFootSwitchTrigger(); }, Enabled::KeyboardMode},
    Command{CommandId::ZeroX, "Button1", Place::TopPanel, 0, 1, 0, 'X', "X", "X-Nullen", "", word::kZeroX, kResultZero, [](M& w) { if (Zero(w.Context(), 0, ZeroSource::Button)) w.RequestFocus("lb1"); }, Enabled::Always},
    Command{CommandId::ZeroY, "Button2", Place::TopPanel, 1, 1, 0, 'Y', "Y", "Y-Nullen", "", word::kZeroY, kResultZero, [](M& w) { if (Zero(w.Context(), 1, ZeroSource::Button)) w.RequestFocus("lb1"); }, Enabled::Always},
    Command{CommandId::Capture, "", Place::None, 0, 0, kKeySpace, 0, "", "", "", word::kGetPoint, -1, [](M& w) { w.AppendPoint(); }, Enabled::KeyboardMode},
    Command{CommandId::OffsetX, "", Place::None, 0, 0, kF(11), 0, "", "", "", word::kOffsetX, -1, [](M& w) { OffsetEntry(w.Context(), 0); }, Enabled::Always},
    Command{CommandId::OffsetY, "", Place::None, 0, 0, kF(12), 0, "", "", "", word::kOffsetY, -1, [](M& w) { OffsetEntry(w.Context(), 1); }, Enabled::Always},
    // Menus.
    Command{CommandId::HelpMenu, "", Place::MenuDatei, 0, 0, 0, 0, "&Hilfe", "", "", "", -1, [](M& w) { w.session().changes.HelpRequested.Notify(); }, Enabled::Always},
    Command{CommandId::PrinterSetup, "", Place::MenuDatei, 0, 0, 0, 0, "D&ruckereinrichtung", "", "", "", -1, [](M& w) { w.session().changes.PrinterSetupRequested.Notify(); }, Enabled::Always},
    Command{CommandId::Close, "", Place::MenuDatei, 0, 0, 0, 0, "&Beenden", "", "", "", -1, [](M& w) { (void)w.Close(); }, Enabled::Always},
    Command{CommandId::Renumber, "", Place::MenuAllgemeines, 0, 0, 0, 0, "&Renummerieren", "", "", "", -1, [](M& w) { w.lb1().Renumber(); }, Enabled::Always},
    Command{CommandId::SaveMemory, "", Place::MenuAllgemeines, 0, 0, 0, 0, "&Speicherinhalt sichern", "", "", "", -1, [](M& w) { SaveMemory(w.Context()); }, Enabled::Always},
    Command{CommandId::LoadMemory, "", Place::MenuAllgemeines, 0, 0, 0, 0, "S&peicherinhalt laden", "", "", "", -1, [](M& w) { LoadMemory(w.Context()); }, Enabled::Always},
    Command{CommandId::SystemSettings, "", Place::MenuAllgemeines, 0, 0, 0, 0, "S&ystemeinstellungen", "", "", word::kCircleMode, -1, [](M& w) { SystemSettingsCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::CircleLine, "", Place::MenuZusatz, 0, 0, 0, 0, "&Schnitpunkt(e) Kreis-Gerade", "", "", word::kCircleLine, kResultPoint, [](M& w) { IntersectCircleLineCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::AreaFromCircle, "", Place::MenuZusatz, 0, 0, 0, 0, "&Fläche aus Speicherkreis", "", "", word::kAreaFromCircle, kResultCircle, [](M& w) { AreaFromStoredCircle(w.Context()); }, Enabled::Always},
    Command{CommandId::CircleCircle, "", Place::MenuZusatz, 0, 0, 0, 0, "S&chnittpunkt Kreis-Kreis", "", "", word::kCircleCircle, kResultPoint, [](M& w) { IntersectCirclesCommand(w.Context()); }, Enabled::Always},
    Command{CommandId::Converter, "", Place::MenuZusatz, 0, 0, 0, 0, "&Konturkonverter", "", "", "", -1, [](M& w) { w.ShowConverter.Notify(); }, Enabled::Always},
    Command{CommandId::GeoTolerance, "", Place::MenuZusatz, 0, 0, 0, 0, "F&orm- und Lagetoleranz", "", "", word::kGeoPosition, -1, [](M& w) { w.GeoToleranceClick(); }, Enabled::Always},
    Command{CommandId::Calibrate, "", Place::MenuZusatz, 0, 0, 0, 0, "Maschine &kalibrieren", "", "", "", -1, [](M& w) { w.ShowCalibration.Notify(); }, Enabled::Always},
    Command{CommandId::Statistics, "", Place::MenuZusatz, 0, 0, 0, 0, "&Statistik", "", "", "", -1, [](M& w) { w.ShowStatistics.Notify(); }, Enabled::Always},
    Command{CommandId::LiveView, "", Place::MenuZusatz, 0, 0, 0, 0, "Kamera&bild", "", "", "", -1, [](M& w) { w.ShowLiveView.Notify(); }, Enabled::Always},
    // Context menus of the two lists.
    Command{CommandId::ElementGraphic, "", Place::PopupResults, 0, 0, 0, 0, "&Grafik", "", "", "", -1, [](M& w) { w.Grafik1Click(); }, Enabled::Pictures},
    Command{CommandId::Reevaluate, "", Place::PopupResults, 0, 0, 0, 0, "&Neu auswerten", "", "", "", -1, [](M& w) { ReevaluateResult(w.Context()); }, Enabled::NoRun},
    Command{CommandId::ResultListClear, "", Place::PopupResults, 0, 0, 0, 0, "&Löschen", "", "", "", -1, [](M& w) { ClearAllMemories(w.Context()); }, Enabled::Always},
    Command{CommandId::PointListClear, "", Place::PopupPoints, 0, 0, 0, 0, "&Löschen", "", "", "", -1, [](M& w) { w.Context().ClearPoints(); }, Enabled::Always},
    Command{CommandId::SavePoints, "", Place::PopupPoints, 0, 0, 0, 0, "&Speichern", "", "", "", -1, [](M& w) { SavePointFile(w.Context()); }, Enabled::Always},
    Command{CommandId::SavePointsDxf, "", Place::PopupPoints, 0, 0, 0, 0, "Speichern als &DXF", "", "", "", -1, [](M& w) { SavePointsAsDxf(w.Context(), w.session().dxf, static_cast<double>(w.Converter().presets.maxDeviation)); }, Enabled::Always},
};
// clang-format on

template <typename Pred>
const Command* Find(Pred pred) {
    for (const Command& c : kCommands) {
        if (pred(c)) {
            return &c;
        }
    }
    return nullptr;
}

bool IsMenu(Place p) {
    return p == Place::MenuDatei || p == Place::MenuAllgemeines || p == Place::MenuZusatz || p == Place::PopupResults ||
           p == Place::PopupPoints;
}

}  // namespace

std::span<const Command> CommandTable() { return kCommands; }

const Command& CommandOf(CommandId id) {
    return *Find([id](const Command& c) { return c.id == id; });
}

const Command* CommandByControl(std::string_view control) {
    return control.empty() ? nullptr : Find([control](const Command& c) { return c.control == control; });
}

const Command* CommandByKey(int key) {
    return key == 0 ? nullptr : Find([key](const Command& c) { return c.key == key; });
}

const Command* CommandByTyped(char ch) {
    return ch == 0 ? nullptr : Find([ch](const Command& c) { return c.typed == ch; });
}

const Command* CommandByMenu(std::string_view caption) {
    return Find([caption](const Command& c) { return IsMenu(c.place) && MenuText(c.caption) == caption; });
}

std::string MenuText(std::string_view caption) {
    std::string out;
    for (const char ch : caption) {
        if (ch != '&') {
            out += ch;
        }
    }
    return out;
}

}  // namespace tarvo
