#include "programs/comparison.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "base/cp1252.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "data/feature.h"
#include "data/resultline.h"
#include "geometry/angles.h"
#include "geometry/lines.h"

namespace tarvo {

namespace {

constexpr int kDefinitionNameWidth = 21;
constexpr int kNameWidth = 17;

// Program parameters are written in units of 0.0001, rounded.
std::string Units(long double v) { return std::to_string(std::llround(v * 10000.0L)); }

// The value of a result line as the comparison takes it: the value field as a number, or (not
// on replay) as a degree:minute:second angle. Nothing when it is neither.
std::optional<long double> ActualValue(const std::string& line, bool angleToo) {
    const NumberRead n = ReadColumn(line, kValueTextColumn);
    if (n.ok) {
        return n.value;
    }
    if (!angleToo) {
        return std::nullopt;
    }
    const Real a = DmsTextToAngle(RemoveSpaces(ColumnText(line, kValueTextColumn)));
    if (a == Real(kMarkerValue)) {
        return std::nullopt;
    }
    return a.value();
}

// The head of a judgement line: the name in 17, "#", the compared line's number in 3, a blank:
// together the 22 label columns, so the value stands in the result value's field. A number of
// more digits (line 1000 on) is kept whole and takes its room from the name: cut to three
// digits it would name another line.
std::string JudgementLabel(const std::string& name, const std::string& lineNo) {
    const int extra = std::min(std::max(static_cast<int>(lineNo.size()) - 3, 0), kNameWidth);
    return FitLeft(name, kNameWidth - extra) + "#" + FitLeft(lineNo, 3 + extra) + " ";
}

// A stored real as the journal keeps it: the 48-bit rounding noise beyond 1e-9 left out, so
// a limit of 10.1 reads 10.1.
double Tidy(long double v) { return static_cast<double>(std::round(v * 1e9L) / 1e9L); }
std::optional<double> Tidy(std::optional<double> v) { return v ? std::optional<double>(Tidy(*v)) : std::nullopt; }

// The judgement line just listed, as a row of the journal.
void Journal(PartJournal* journal, const CommandContext& ctx, const FeatureDef& f, char kind,
             std::optional<double> actual) {
    if (journal == nullptr || !journal->Active()) {
        return;
    }
    JournalRow row;
    row.feature = f.Name;
    row.kind = kind;
    row.line = ctx.results.Line(ctx.results.Count() - 1);
    row.good = BarJudgement(row.line).value_or(false);
    row.actual = Tidy(actual);
    if (kind == 'V') {
        row.nominal = Tidy(f.Nominal.value());
        row.upperLimit = Tidy(Real(f.Nominal + f.UpperTol).value());
        row.lowerLimit = Tidy(Real(f.Nominal + f.LowerTol).value());
        row.deviation = Tidy(*actual - *row.nominal);
    } else if (kind == 'P') {
        // The distance from the nominal position has only an upper limit.
        row.nominal = 0.0;
        row.upperLimit = Tidy(f.PosTol.value());
        row.deviation = row.actual;
    }
    journal->Judged(std::move(row));
}

void Refuse(CommandContext& ctx, const std::string& why) { ctx.op.ShowError(why); }

// Kind V: the definition line and the judgement of the actual value (already times the factor).
void ListVariable(CommandContext& ctx, const FeatureDef& f, int lineNo, long double actual, PartJournal* journal) {
    const int dec = ctx.settings.Decimals;
    ctx.ListText(PadRight(ctx.ResultName(kResultCompareNominal), kDefinitionNameWidth) + ":" +
                 FormatReal(f.Nominal, 10, dec) + "  " + ctx.ResultName(kResultUpperTol) + ":" +
                 FormatReal(f.UpperTol, 7, dec) + "  " + ctx.ResultName(kResultLowerTol) + ":" +
                 FormatReal(f.LowerTol, 7, dec));
    ctx.ListText(JudgementLabel(f.Name, std::to_string(lineNo)) + FormatReal(actual, 10, dec) + std::string(24, ' ') +
                 ToleranceBar(actual, f.Nominal, f.UpperTol, f.LowerTol));
    Journal(journal, ctx, f, 'V', static_cast<double>(actual));
}

// Kind P: the definition line and the judgement of the position's distance from the nominal.
void ListPosition(CommandContext& ctx, const FeatureDef& f, int lineNo, long double x, long double y,
                  PartJournal* journal) {
    const int dec = ctx.settings.Decimals;
    const Real deviation = Distance2P(f.PosX, f.PosY, x, y).distance;
    ctx.ListText(PadRight(ctx.ResultName(kResultComparePosition), kDefinitionNameWidth) + ":" +
                 FormatReal(f.PosTol, 10, dec) + "   X:" + FormatReal(f.PosX, 7, dec) +
                 "   Y:" + FormatReal(f.PosY, 7, dec));
    ctx.ListText(JudgementLabel(f.Name, std::to_string(lineNo)) + FormatReal(deviation, 10, dec) +
                 std::string(24, ' ') + ToleranceBar(deviation, 0, f.PosTol, 0));
    Journal(journal, ctx, f, 'P', static_cast<double>(deviation.value()));
}

// Kind A: the definition line and the operator's judgement.
void ListAttribute(CommandContext& ctx, const FeatureDef& f, bool good, PartJournal* journal) {
    ctx.ListText(PadRight(ctx.ResultName(kResultCompareAttribute), kDefinitionNameWidth) + ":");
    ctx.ListText(FitLeft(f.Name, kNameWidth) + "#---" + (good ? "  IO  0" : " NIO  1") + std::string(28, ' ') +
                 (good ? ToleranceBar(1, 0, 2, 0) : ToleranceBar(3, 0, 2, 0)));
    Journal(journal, ctx, f, 'A', std::nullopt);
}

// The position of a result line; nothing when X or Y does not read as a number.
std::optional<std::pair<long double, long double>> LinePosition(const std::string& line) {
    const NumberRead x = ReadX(line);
    const NumberRead y = ReadY(line);
    if (!x.ok || !y.ok) {
        return std::nullopt;
    }
    return std::make_pair(x.value, y.value);
}

}  // namespace

std::string ToleranceBar(Real actual, Real nominal, Real upper, Real lower) {
    std::string bar = "-|-----|-----|-";
    const Real high = nominal + upper;
    const Real low = nominal + lower;
    if (actual < low) {
        bar[0] = '<';
        return bar;
    }
    if (actual > high) {
        bar[14] = '>';
        return bar;
    }
    const Real step = (high - low) / 13;
    const Real start = low - step;
    for (int i = 1; i <= 14; ++i) {
        const Real from = start + (i - 1) * step;
        const Real to = start + i * step;
        if (from <= actual && actual < to) {
            bar[static_cast<std::size_t>(i - 1)] = kBarMarker;
        }
    }
    const Real end = start + 14 * step;
    if (actual >= end && actual <= high) {
        bar[12] = kBarMarker;
    }
    return bar;
}

std::optional<bool> BarJudgement(std::string_view line) {
    static constexpr std::string_view kBar = "-|-----|-----|-";
    if (line.size() < kBar.size()) {
        return std::nullopt;
    }
    const std::string_view tail = line.substr(line.size() - kBar.size());
    int marks = 0;
    bool good = false;
    for (std::size_t i = 0; i < kBar.size(); ++i) {
        if (tail[i] == kBar[i]) {
            continue;
        }
        const bool low = i == 0 && tail[i] == '<';
        const bool high = i + 1 == kBar.size() && tail[i] == '>';
        if (tail[i] != kBarMarker && !low && !high) {
            return std::nullopt;
        }
        good = tail[i] == kBarMarker;
        ++marks;
    }
    if (marks != 1) {
        return std::nullopt;
    }
    return good;
}

void CompareNominalActual(CommandContext& ctx, PartJournal* journal) {
    if (ctx.run.AbortRequested != 0) {
        return;
    }
    const int index = ctx.results.ItemIndex();
    if (index < 0) {
        Refuse(ctx, Ansi("Soll-Ist Vergleich: keine Speicherzeile ausgewählt"));
        return;
    }
    FeatureDef& f = ctx.feature;
    if (!ctx.run.FeatureDefined) {
        // The first comparison after start begins from nominal 0, tolerances 0 and factor 1.
        f.Nominal = 0;
        f.UpperTol = 0;
        f.LowerTol = 0;
        f.Factor = 1;
    }
    int choice = 0;
    if (!EditFeature(f, ctx.op, ctx.settings.Decimals, ctx.folder.Dir(), ctx.folder.ReadOnlyMedia(), &choice)) {
        return;
    }
    ctx.run.FeatureDefined = true;
    const std::string line = ctx.results.Line(index);
    const int lineNo = index + 1;
    switch (f.Kind) {
        case 0: {
            const auto actual = ActualValue(line, true);
            if (!actual) {
                Refuse(ctx,
                       Ansi("Soll-Ist Vergleich: Zeile ") + std::to_string(lineNo) + Ansi(" hat keinen lesbaren Wert"));
                return;
            }
            ListVariable(ctx, f, lineNo, *actual * f.Factor, journal);
            ctx.Record(word::kCompareVariable, std::to_string(index) + ":" + Units(f.Nominal) + ":" +
                                                   Units(f.UpperTol) + ":" + Units(f.LowerTol) + ":" + Units(f.Factor) +
                                                   ":" + f.Name);
            break;
        }
        case 1: {
            const auto pos = LinePosition(line);
            if (!pos) {
                Refuse(ctx, Ansi("Soll-Ist Vergleich: Zeile ") + std::to_string(lineNo) +
                                Ansi(" hat keine lesbare Position"));
                return;
            }
            ListPosition(ctx, f, lineNo, pos->first, pos->second, journal);
            ctx.Record(word::kComparePosition, std::to_string(index) + ":" + Units(f.PosX) + ":" + Units(f.PosY) + ":" +
                                                   Units(f.PosTol) + ":" + f.Name);
            break;
        }
        default: {
            ListAttribute(ctx, f, choice == 0, journal);
            ctx.Record(std::string(std::string(word::kCompareAttribute) + f.Name).substr(0, 30));
            break;
        }
    }
    ctx.results.SelectLast();
    ctx.ClearPoints();
}

std::optional<std::string> ReplayComparison(CommandContext& ctx, const std::string& upperLine, const ProgramLine& p,
                                            PartJournal* journal) {
    FeatureDef& f = ctx.feature;
    if (upperLine.rfind("SOLLIST-A", 0) == 0) {
        f.Name = p.Rest[1].substr(0, kFeatureNameLength);
        f.Kind = 2;
        ListAttribute(ctx, f, ctx.op.Ask("   " + f.Name + "   ", Buttons::YesNo), journal);
        ctx.results.SelectLast();
        ctx.ClearPoints();
        return std::nullopt;
    }
    const bool variable = upperLine.rfind("SOLLIST-V", 0) == 0;
    // The line, the limits (and the factor) must all be there: a missing or damaged number is
    // never judged as 0.
    const std::size_t numbers = variable ? 5 : 4;
    for (std::size_t i = 1; i <= numbers; ++i) {
        if (i > p.count || !p.Value[i] || std::fabs(*p.Value[i]) > 1e12L) {
            return Ansi("Feld ") + std::to_string(i) + Ansi(" ist keine Zahl");
        }
    }
    const auto v = [&p](std::size_t i) { return *p.Value[i] * 0.0001L; };
    const long long index = std::llround(*p.Value[1]);
    if (index < 0 || index >= ctx.results.Count()) {
        return Ansi("Speicherzeile ") + std::to_string(index + 1) + Ansi(" gibt es nicht");
    }
    const std::string& line = ctx.results.Line(static_cast<int>(index));
    const int lineNo = static_cast<int>(index) + 1;
    if (variable) {
        // Read as the interactive comparison reads it: a degree:minute:second angle too.
        const auto actual = ActualValue(line, true);
        if (!actual) {
            return Ansi("Soll-Ist Vergleich: Zeile ") + std::to_string(lineNo) + Ansi(" hat keinen lesbaren Wert");
        }
        f.Nominal = v(2);
        f.UpperTol = v(3);
        f.LowerTol = v(4);
        f.Factor = v(5);
        f.Name = (p.count >= 6 ? p.Rest[6] : std::string()).substr(0, kFeatureNameLength);
        f.Kind = 0;
        ListVariable(ctx, f, lineNo, *actual * f.Factor, journal);
    } else {
        const auto pos = LinePosition(line);
        if (!pos) {
            return Ansi("Soll-Ist Vergleich: Zeile ") + std::to_string(lineNo) + Ansi(" hat keine lesbare Position");
        }
        f.PosX = v(2);
        f.PosY = v(3);
        f.PosTol = v(4);
        f.Name = (p.count >= 5 ? p.Rest[5] : std::string()).substr(0, kFeatureNameLength);
        f.Kind = 1;
        ListPosition(ctx, f, lineNo, pos->first, pos->second, journal);
    }
    ctx.results.SelectLast();
    ctx.ClearPoints();
    return std::nullopt;
}

}  // namespace tarvo
