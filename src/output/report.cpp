#include "output/report.h"

#include <algorithm>

#include "base/cp1252.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "data/resultline.h"
#include "output/pdfcanvas.h"
#include "output/reportcanvas.h"

namespace tarvo {

namespace {

constexpr double kLeft = 15;
constexpr double kColumns[5] = {0, 45, 75, 105, 135};
constexpr double kLinePitch = 5;
constexpr double kPageEnd = 270;

// Characters `from`..`to` (counted from 1) of a text; fewer or none when it is shorter.
std::string Slice(std::string_view text, std::size_t from, std::size_t to) {
    if (from > text.size()) {
        return {};
    }
    return std::string(text.substr(from - 1, to - from + 1));
}

// Characters 32-34 read as a number, as the report's column test takes them. The value field is
// right-aligned, so with few decimals a small value begins inside these characters: its leading
// blanks belong to it (" 1." of "      1.23" is a number); a blank after a digit is not.
bool MiddleIsNumber(std::string_view line) {
    const std::size_t s = NumberOverflow(line);
    std::string t = Slice(line, 32 + s, 34 + s);
    t.erase(0, t.find_first_not_of(' ') == std::string::npos ? t.size() : t.find_first_not_of(' '));
    if (t.empty()) {
        return false;
    }
    if (t.back() == '.') {
        t += "0";
    }
    if (t.front() == '.') {
        t.insert(0, "0");
    }
    return ReadNumberChecked(t).ok && t.find(' ') == std::string::npos;
}

void ColumnHeader(ReportCanvas& c, const std::string& h, double y) {
    const std::pair<std::size_t, std::size_t> pieces[5] = {{1, 26}, {27, 37}, {39, 45}, {49, 55}, {59, 69}};
    for (int i = 0; i < 5; ++i) {
        c.TextMm(Slice(h, pieces[i].first, pieces[i].second), kLeft + kColumns[i], y);
    }
    c.SetPenWidth(8);
    c.LineMm(kLeft, y + 4.5, c.PageWidthMm() - 25, y + 4.5);
    c.SetPenWidth(1);
}

void ResultLine(ReportCanvas& c, const std::string& line, const std::string& pointName, double y) {
    if (!PrintedInColumns(line, pointName)) {
        c.TextMm(line, kLeft, y);
        return;
    }
    const std::size_t s = NumberOverflow(line);  // line 1000 on: every column one further
    c.TextMm(Slice(line, 1, 25 + s), kLeft + kColumns[0], y);
    c.TextMm(RemoveSpacesUnlessTime(Slice(line, 27 + s, 36 + s)), kLeft + kColumns[1], y);
    c.TextMm(RemoveSpacesUnlessTime(Slice(line, 39 + s, 48 + s)), kLeft + kColumns[2], y);
    c.TextMm(RemoveSpacesUnlessTime(Slice(line, 51 + s, 60 + s)), kLeft + kColumns[3], y);
    c.TextMm(Slice(line, 61 + s, 75 + s), kLeft + kColumns[4], y);
}

// The title block and the header data when it is to be printed. Returns the print line.
double TitleBlock(const ReportContent& r, ReportCanvas& c) {
    const double w = c.PageWidthMm();
    c.SetFont("Arial", 18);
    c.SetPenWidth(3);
    c.LineMm(10, 10, w - 10, 10);
    c.LineMm(10, 10, 10, 45);
    c.LineMm(10, 45, w - 10, 45);
    c.LineMm(w - 10, 10, w - 10, 45);
    c.SetPenWidth(1);
    c.TextMm(r.title, w * 0.5 - static_cast<double>(r.title.size()) * 2.1, 22);
    if (!r.logoFile.empty()) {
        c.ImageMm(r.logoFile, w - 52, 15, w - 20, 39);
    }
    if (!r.calibration.empty()) {
        c.SetFont("Arial", 8);
        c.TextMm(r.calibration, 15, 38);
    }
    if (!r.headerPresent) {
        return 50;
    }
    if (r.printHeader) {
        c.SetFont("Arial", 10);
        for (std::size_t row = 0; row < 8; ++row) {
            const double y = 50 + 5.0 * static_cast<double>(row + 1);
            c.TextMm(r.labels[row], 15, y);
            c.TextMm(r.values[row], 55, y);
            c.TextMm(r.labels[row + 8], 105, y);
            c.TextMm(r.values[row + 8], 153, y);
        }
    }
    return 98;
}

}  // namespace

bool PrintedInColumns(std::string_view line, const std::string& pointName) {
    const auto count = [line](char ch) { return std::count(line.begin(), line.end(), ch); };
    // The dots of the numbers decide, not those of the name (columns 5-26): a result name of
    // another language ("Dist. 2P") prints its line as the German one prints.
    const std::size_t shift = NumberOverflow(line);
    const std::size_t nameEnd = std::min(line.size(), 26 + shift);
    const auto dots =
        std::count(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(4, nameEnd)), '.') +
        std::count(line.begin() + static_cast<std::ptrdiff_t>(nameEnd), line.end(), '.');
    const auto colons = count(':');
    const auto dashes = count('-');
    if (dots == 1 && colons == 2 && MiddleIsNumber(line)) {
        return true;
    }
    if (dashes >= 8) {
        return true;
    }
    if ((dots == 3 || dots == 4) && MiddleIsNumber(line)) {
        return true;
    }
    const std::string name = RemoveSpaces(pointName);
    const std::size_t s = NumberOverflow(line);
    return dots == 2 && !name.empty() && line.size() >= 4 + s && line.substr(4 + s, name.size()) == name;
}

ReportContent CollectReport(CommandContext& ctx, const std::string& logoFile) {
    ReportContent r;
    r.title = ctx.UiText(kTextReportTitle).substr(0, 100);
    r.logoFile = logoFile;
    r.headerPresent = ctx.header.present;
    r.calibration = ctx.header.calibration;
    r.labels = ctx.header.labels;
    r.values = ctx.header.values;
    r.printHeader = r.headerPresent && ctx.op.Ask("Kopfdaten drucken ?", Buttons::OkCancel);
    r.lines = ctx.results.Lines();
    r.fontSize = ctx.settings.FontSize;
    r.pointName = ctx.ResultName(kResultPoint);
    r.pageName = ctx.ResultName(kResultPage);
    r.columnHeader = ctx.texts.ResultListHeader();
    return r;
}

bool DrawReport(const ReportContent& r, ReportCanvas& c, const std::function<void(const std::string&)>& status) {
    const auto say = [&status](const std::string& text) {
        if (status) {
            status(text);
        }
    };
    say(r.logoFile.empty() ? "Print head" : "Kopf drucken mit LOGO");
    if (!c.BeginDoc(r.title)) {
        say("");
        return false;
    }
    double y = TitleBlock(r, c);
    say("Print memory [Titel]");
    y += 5;
    c.SetFont("Arial", r.fontSize);
    ColumnHeader(c, r.columnHeader, y);
    y += 8;
    int page = 1;
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        say("Print memory [" + std::to_string(page) + ":" + std::to_string(i + 1) + "]");
        ResultLine(c, r.lines[i], r.pointName, y);
        y += kLinePitch;
        if (y > kPageEnd) {
            ++page;
            c.NewPage();
            c.TextMm(PadRight(r.pageName, 5).substr(0, 5) + ": " + std::to_string(page), kLeft, 5);
            ColumnHeader(c, r.columnHeader, 10);
            y = 18;
        }
    }
    say("Enddoc");
    const bool ended = c.EndDoc();
    say("Enddoc done");
    return ended;
}

void FinishReport(CommandContext& ctx) {
    ctx.Record(word::kPrint);
    ctx.changes.PanelText.Notify(1, "");
    ctx.ClearPoints();
}

bool PrintReport(CommandContext& ctx, ReportCanvas& c, const std::string& logoFile) {
    if (ctx.run.AbortRequested != 0) {
        return true;
    }
    const ReportContent r = CollectReport(ctx, logoFile);
    const bool ended = DrawReport(r, c, [&ctx](const std::string& text) { ctx.changes.PanelText.Notify(1, text); });
    FinishReport(ctx);
    return ended;
}

void PrintReportVia(CommandContext& ctx, const ReportWay& way, const std::string& logoFile, bool& pollPaused) {
    if (way.preview) {
        if (ctx.run.AbortRequested != 0) {
            return;
        }
        const ReportContent content = CollectReport(ctx, logoFile);
        pollPaused = true;
        // Drawing the preview's pages prints nothing: the status bar stays quiet until it has.
        const auto printed = way.preview(
            [&content](ReportCanvas& canvas) { (void)DrawReport(content, canvas, [](const std::string&) {}); });
        pollPaused = false;
        ctx.changes.PanelText.Notify(1, "");
        if (printed) {
            FinishReport(ctx);
            if (!printed->empty()) {
                const std::string said = ctx.texts.Compose(kMsgReportSaved, {*printed});
                ctx.changes.PanelText.Notify(0, said);
                ctx.op.ShowInfo(said);
            }
        }
        return;
    }
    std::unique_ptr<ReportCanvas> canvas;
    std::filesystem::path pdf;
    if (way.target) {
        canvas = way.target();
    } else {
        pdf = ctx.folder.File(kReportFile);
        canvas = std::make_unique<PdfCanvas>(pdf);
    }
    if (!canvas) {
        return;  // no printer chosen
    }
    pollPaused = true;
    const bool printed = PrintReport(ctx, *canvas, logoFile);
    pollPaused = false;
    if (!pdf.empty()) {
        if (printed) {
            ctx.op.ShowInfo(Ansi("Bericht gespeichert: ") + pdf.filename().string());
        } else {
            ctx.op.ShowError(static_cast<PdfCanvas&>(*canvas).Error());
        }
    }
}

}  // namespace tarvo
