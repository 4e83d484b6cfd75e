#include "printviews.h"

#include <algorithm>
#include <iterator>

#include "app/mainwindow.h"
#include "app/session.h"
#include "coords/calibration.h"
#include "data/feature.h"
#include "shell/settings.h"

namespace tarvo {

namespace {

std::vector<std::string> Points(MainWindow& w, const Session&) { return w.ListBox1().Items(); }

std::vector<std::string> Results(MainWindow& w, const Session&) { return w.lb1().Lines(); }

std::vector<std::string> Program(MainWindow& w, const Session&) { return w.LB_list(); }

std::vector<std::string> SettingsView(MainWindow&, const Session& s) { return SettingsListing(s.settings, s.run); }

std::vector<std::string> Status(MainWindow& w, const Session&) {
    return {"Panel0=" + w.StatusPanels[0],
            "Panel1=" + w.StatusPanels[1],
            "Panel2=" + w.StatusPanels[2],
            "LV1=" + w.LV1,
            "LV2=" + w.LV2,
            std::string("Label1=") + (w.Label1Visible ? "visible" : "hidden"),
            "Label5=" + w.Label5,
            "Caption=" + w.Caption};
}

std::vector<std::string> Feature(MainWindow&, const Session& s) {
    const FeatureDef& f = s.feature;
    const auto r = [](long double v) { return RealText(v); };
    return {"Name=" + f.Name,
            "Nominal=" + r(f.Nominal),
            "UpperTol=" + r(f.UpperTol),
            "LowerTol=" + r(f.LowerTol),
            "Factor=" + r(f.Factor),
            "PosX=" + r(f.PosX),
            "PosY=" + r(f.PosY),
            "PosTol=" + r(f.PosTol),
            "Kind=" + std::to_string(f.Kind)};
}

std::vector<std::string> Header(MainWindow&, const Session& s) {
    const auto& v = s.header.values;
    return std::vector<std::string>(v.begin(), v.end());
}

std::vector<std::string> Timers(MainWindow&, const Session& s) {
    std::vector<std::string> items;
    for (const auto& t : s.timers.All()) {
        items.push_back(t->Name() + "=" + std::to_string(t->Interval()) + (t->Enabled() ? " enabled" : " disabled"));
    }
    return items;
}

std::vector<std::string> Prompt(MainWindow& w, const Session&) { return {w.Label1}; }

// The calibration in effect, the one under way and the figures last computed.
std::vector<std::string> Calibration(MainWindow& w, const Session& s) {
    const ScaleCorrection& c = s.correction;
    std::vector<std::string> items = {"Status=" + w.CalibrationStatus(),
                                      "FactorX=" + RealText(c.factor[0]),
                                      "FactorY=" + RealText(c.factor[1]),
                                      "MarksX=" + std::to_string(c.segments[0].size()),
                                      "MarksY=" + std::to_string(c.segments[1].size()),
                                      "SquarenessUrad=" + RealText(c.squareness * 1e6L)};
    if (const CalibrationProcedure* p = w.Calibration()) {
        items.push_back("Captured=" + std::to_string(p->Captured()) + " Edge=" + std::to_string(p->Edge() + 1));
    }
    if (const CalibrationResult* r = w.CalibrationOutcome()) {
        items.insert(items.end(), r->lines.begin(), r->lines.end());
    }
    return items;
}

constexpr PrintView kPrintViews[] = {
    {"points", &Points}, {"results", &Results},         {"program", &Program}, {"settings", &SettingsView},
    {"status", &Status}, {"feature", &Feature},         {"header", &Header},   {"timers", &Timers},
    {"prompt", &Prompt}, {"calibration", &Calibration},
};

}  // namespace

std::span<const PrintView> PrintViews() { return kPrintViews; }

const PrintView* PrintViewByName(std::string_view name) {
    const auto* v = std::find_if(std::begin(kPrintViews), std::end(kPrintViews),
                                 [name](const PrintView& p) { return p.name == name; });
    return v == std::end(kPrintViews) ? nullptr : v;
}

}  // namespace tarvo
