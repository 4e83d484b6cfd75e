#include "programs/geocompare.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <vector>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "data/feature.h"
#include "data/isotolerance.h"
#include "data/resultline.h"
#include "programs/comparison.h"
#include "shell/operator.h"

namespace tarvo {

namespace {

constexpr int kDefinitionNameWidth = 21;
constexpr int kNameWidth = 17;
constexpr const char* kOwnMethod = "OWN";

// The program words in GeoKind's order.
constexpr std::string_view kWords[kGeoKinds] = {
    word::kGeoPosition,         word::kGeoRoundness,  word::kGeoStraightness,  word::kGeoParallelism,
    word::kGeoPerpendicularity, word::kGeoAngularity, word::kGeoConcentricity,
};

int KindIndex(GeoKind k) { return static_cast<int>(k); }

std::string Units(long double v) { return std::to_string(std::llround(v * 10000.0L)); }

std::string JudgementLabel(const std::string& name, const std::string& lineNo) {
    const int extra = std::min(std::max(static_cast<int>(lineNo.size()) - 3, 0), kNameWidth);
    return FitLeft(name, kNameWidth - extra) + "#" + FitLeft(lineNo, 3 + extra) + " ";
}

double Tidy(long double v) { return static_cast<double>(std::round(v * 1e9L) / 1e9L); }

std::string FieldTextOf(long double v, int decimals) {
    for (int d = std::max(decimals, 0); d < 6; ++d) {
        const std::string t = FormatReal(v, 0, d);
        if (std::fabs(ReadNumber(t) - v) <= 1e-9L * std::max(1.0L, std::fabs(v))) {
            return t;
        }
    }
    return FormatReal(v, 0, 6);
}

const char* McName(MaterialCondition mc) {
    return mc == MaterialCondition::MMC ? "MMC" : mc == MaterialCondition::LMC ? "LMC" : "RFS";
}

// What a judgement needs of a line; the refusal when it is not there.
struct Checked {
    std::optional<std::string> why;
    std::vector<FitPoint> points;
};

class Judge {
public:
    Judge(CommandContext& ctx, const GeoToleranceDef& def) : m_ctx(ctx), m_def(def) {}

    [[nodiscard]] std::string Name() const { return GeoKindName(m_ctx.texts, m_def.kind); }
    [[nodiscard]] std::string Refuse(int msg, std::initializer_list<std::string_view> rest) const {
        std::vector<std::string> parts{Name()};
        parts.insert(parts.end(), rest.begin(), rest.end());
        switch (parts.size()) {
            case 1:
                return m_ctx.texts.Compose(msg, {parts[0]});
            case 2:
                return m_ctx.texts.Compose(msg, {parts[0], parts[1]});
            default:
                return m_ctx.texts.Compose(msg, {parts[0], parts[1], parts[2]});
        }
    }
    [[nodiscard]] bool IsCircle(int i) const {
        return HasResultName(m_ctx.results.Line(i), kResultCircle, m_ctx.texts);
    }
    [[nodiscard]] bool IsLine(int i) const { return IsLineResult(m_ctx.results.Line(i), m_ctx.texts); }
    [[nodiscard]] std::optional<std::string> NeedCircle(int i) const {
        if (!IsCircle(i) || !ReadX(m_ctx.results.Line(i)).ok || !ReadY(m_ctx.results.Line(i)).ok) {
            return Refuse(kMsgGeoNotCircle, {std::to_string(i + 1)});
        }
        return std::nullopt;
    }
    [[nodiscard]] Checked NeedPoints(int i, bool circle) const {
        if (circle ? !IsCircle(i) : !IsLine(i)) {
            return {Refuse(circle ? kMsgGeoNotCircle : kMsgGeoNotLine, {std::to_string(i + 1)}), {}};
        }
        const std::vector<FitPoint>& kept = m_ctx.results.KeptPoints(i);
        if (kept.empty()) {
            return {Refuse(kMsgGeoNoPoints, {std::to_string(i + 1)}), {}};
        }
        return {std::nullopt, kept};
    }

private:
    CommandContext& m_ctx;
    const GeoToleranceDef& m_def;
};

struct Outcome {
    long double deviation = 0;
    long double allowed = 0;
    std::optional<long double> bonus;  // position only
};

std::string DefinitionLine(const CommandContext& ctx, const GeoToleranceDef& def) {
    const int dec = ctx.settings.Decimals;
    std::string text =
        FitLeft(GeoKindName(ctx.texts, def.kind), kDefinitionNameWidth) + ":" + FormatReal(def.zone, 10, dec);
    switch (def.kind) {
        case GeoKind::Position:
            text += "   X:" + FormatReal(def.x, 7, dec) + "   Y:" + FormatReal(def.y, 7, dec) + "  " + McName(def.mc);
            break;
        case GeoKind::Roundness:
        case GeoKind::Straightness:
            text += "  " + def.method;
            break;
        case GeoKind::Angularity:
            text += "  #" + std::to_string(def.datum + 1) + "  " + FormatReal(def.angle, 0, dec) + Ansi("°");
            break;
        default:
            text += "  #" + std::to_string(def.datum + 1);
            break;
    }
    return text;
}

void JournalRowOf(PartJournal* journal, const CommandContext& ctx, const GeoToleranceDef& def, const Outcome& o) {
    if (journal == nullptr || !journal->Active()) {
        return;
    }
    JournalRow row;
    row.feature = def.name;
    row.kind = GeoJournalKind(def.kind);
    row.line = ctx.results.Line(ctx.results.Count() - 1);
    row.good = BarJudgement(row.line).value_or(false);
    row.actual = Tidy(o.deviation);
    row.nominal = 0.0;
    row.upperLimit = Tidy(o.allowed);
    row.deviation = row.actual;
    journal->Judged(std::move(row));
}

}  // namespace

bool IsGeoWord(const std::string& upperLine) {
    return std::any_of(std::begin(kWords), std::end(kWords), [&upperLine](std::string_view w) {
        return upperLine.rfind(UpperCaseOem(std::string(w.substr(0, w.size() - 1))), 0) == 0;
    });
}

std::optional<std::string> JudgeGeometric(CommandContext& ctx, const GeoToleranceDef& def, int index,
                                          PartJournal* journal) {
    const Judge judge(ctx, def);
    if (index < 0 || index >= ctx.results.Count()) {
        return judge.Refuse(kMsgGeoNoSelection, {});
    }
    if (!(def.zone > 0)) {
        return judge.Refuse(kMsgGeoZone, {});
    }
    const std::string line = ctx.results.Line(index);
    Outcome o;
    o.allowed = def.zone.value();
    if (NeedsDatum(def.kind)) {
        if (def.datum < 0 || def.datum >= ctx.results.Count()) {
            return judge.Refuse(kMsgGeoNoDatum, {std::to_string(def.datum + 1)});
        }
        if (def.datum == index) {
            return judge.Refuse(kMsgGeoSameLine, {});
        }
    }
    switch (def.kind) {
        case GeoKind::Position: {
            if (auto why = judge.NeedCircle(index)) {
                return why;
            }
            SizeLimits size{static_cast<double>(def.sizeNominal.value()), static_cast<double>(def.sizeUpper.value()),
                            static_cast<double>(def.sizeLower.value()), def.hole};
            double actualSize = 0;
            if (def.mc != MaterialCondition::RFS) {
                const bool diameter = CircleSizeIs(line, kResultDiameter, ctx.texts);
                const bool radius = CircleSizeIs(line, kResultRadius, ctx.texts);
                const NumberRead v = ReadValue(line);
                if ((!diameter && !radius) || !v.ok || !(def.sizeLower < def.sizeUpper)) {
                    return judge.Refuse(kMsgGeoNoSize, {});
                }
                actualSize = static_cast<double>(radius ? 2 * v.value : v.value);
            }
            const PositionJudgement j =
                JudgePosition(static_cast<double>(def.x.value()), static_cast<double>(def.y.value()),
                              static_cast<double>(ReadX(line).value), static_cast<double>(ReadY(line).value),
                              static_cast<double>(def.zone.value()), def.mc, size, actualSize);
            o.deviation = j.deviation;
            o.bonus = j.bonus;
            o.allowed = j.allowed;
            break;
        }
        case GeoKind::Roundness:
        case GeoKind::Straightness: {
            const bool circle = def.kind == GeoKind::Roundness;
            if (def.method == kOwnMethod) {
                if (circle ? !judge.IsCircle(index) : !judge.IsLine(index)) {
                    return judge.Refuse(circle ? kMsgGeoNotCircle : kMsgGeoNotLine, {std::to_string(index + 1)});
                }
                const NumberRead d = ReadColumn(line, kDeviationColumn);
                if (!d.ok) {
                    return judge.Refuse(kMsgGeoNoDeviation, {std::to_string(index + 1)});
                }
                o.deviation = d.value;
                break;
            }
            const Checked c = judge.NeedPoints(index, circle);
            if (c.why) {
                return c.why;
            }
            FormDeviation f;
            if (circle) {
                CircleMethod m = CircleMethod::MZCI;
                (void)ParseCircleMethod(def.method, m);
                f = Roundness(c.points, m);
            } else {
                LineMethod m = LineMethod::MZLI;
                (void)ParseLineMethod(def.method, m);
                f = Straightness(c.points, m);
            }
            if (!f.ok) {
                return judge.Refuse(kMsgGeoNoForm, {std::to_string(index + 1), Ansi(f.reason)});
            }
            o.deviation = f.value;
            break;
        }
        case GeoKind::Parallelism:
        case GeoKind::Perpendicularity:
        case GeoKind::Angularity: {
            const Checked datum = judge.NeedPoints(def.datum, false);
            if (datum.why) {
                return datum.why;
            }
            const Checked feature = judge.NeedPoints(index, false);
            if (feature.why) {
                return feature.why;
            }
            const Direction d = DatumDirection(datum.points);
            if (!d.ok) {
                return judge.Refuse(kMsgGeoNoForm, {std::to_string(def.datum + 1), Ansi(d.reason)});
            }
            const OrientationKind kind = def.kind == GeoKind::Parallelism        ? OrientationKind::Parallel
                                         : def.kind == GeoKind::Perpendicularity ? OrientationKind::Perpendicular
                                                                                 : OrientationKind::Angular;
            const FormDeviation f =
                OrientationDeviation(feature.points, d, kind, static_cast<double>(def.angle.value()));
            if (!f.ok) {
                return judge.Refuse(kMsgGeoNoForm, {std::to_string(index + 1), Ansi(f.reason)});
            }
            o.deviation = f.value;
            break;
        }
        case GeoKind::Concentricity: {
            if (auto why = judge.NeedCircle(def.datum)) {
                return why;
            }
            if (auto why = judge.NeedCircle(index)) {
                return why;
            }
            const std::string& datum = ctx.results.Line(def.datum);
            o.deviation =
                Concentricity(static_cast<double>(ReadX(datum).value), static_cast<double>(ReadY(datum).value),
                              static_cast<double>(ReadX(line).value), static_cast<double>(ReadY(line).value));
            break;
        }
    }
    const int dec = ctx.settings.Decimals;
    // The deviation as a stored real, so the bar and the line judge the same number.
    const Real deviation = o.deviation;
    const Real allowed = o.allowed;
    ctx.ListText(DefinitionLine(ctx, def));
    ctx.ListText(JudgementLabel(def.name, std::to_string(index + 1)) + FormatReal(deviation, 10, dec) + "  " +
                 FormatReal(allowed, 10, dec) + "  " +
                 (o.bonus ? FormatReal(*o.bonus, 10, dec) : std::string(kFieldWidth, ' ')) +
                 ToleranceBar(deviation, 0, allowed, 0));
    JournalRowOf(journal, ctx, def, o);
    return std::nullopt;
}

std::string GeoProgramLine(const GeoToleranceDef& def, int index) {
    std::string line = std::string(kWords[KindIndex(def.kind)]) + std::to_string(index) + ":";
    switch (def.kind) {
        case GeoKind::Position:
            line += Units(def.x) + ":" + Units(def.y) + ":" + Units(def.zone) + ":" +
                    std::to_string(static_cast<int>(def.mc)) + ":" + Units(def.sizeNominal) + ":" +
                    Units(def.sizeUpper) + ":" + Units(def.sizeLower) + ":" + (def.hole ? "1" : "0") + ":";
            break;
        case GeoKind::Roundness:
        case GeoKind::Straightness:
            line += Units(def.zone) + ":" + def.method + ":";
            break;
        case GeoKind::Angularity:
            line += std::to_string(def.datum) + ":" + Units(def.zone) + ":" + Units(def.angle) + ":";
            break;
        default:
            line += std::to_string(def.datum) + ":" + Units(def.zone) + ":";
            break;
    }
    return line + def.name;
}

std::optional<std::string> ReplayGeometric(CommandContext& ctx, const std::string& upperLine, const ProgramLine& p,
                                           PartJournal* journal) {
    GeoToleranceDef def;
    bool found = false;
    for (int k = 0; k < kGeoKinds; ++k) {
        const std::string w = UpperCaseOem(std::string(kWords[k]));
        if (upperLine.rfind(w, 0) == 0) {
            def.kind = static_cast<GeoKind>(k);
            found = true;
        }
    }
    if (!found) {
        return Ansi("unbekanntes Wort");
    }
    // Which fields are numbers, and where the name stands.
    std::vector<std::size_t> numbers;
    std::size_t nameField = 0;
    switch (def.kind) {
        case GeoKind::Position:
            numbers = {1, 2, 3, 4, 5, 6, 7, 8, 9};
            nameField = 10;
            break;
        case GeoKind::Roundness:
        case GeoKind::Straightness:
            numbers = {1, 2};
            nameField = 4;
            break;
        case GeoKind::Angularity:
            numbers = {1, 2, 3, 4};
            nameField = 5;
            break;
        default:
            numbers = {1, 2, 3};
            nameField = 4;
            break;
    }
    for (const std::size_t i : numbers) {
        if (i > p.count || !p.Value[i] || std::fabs(*p.Value[i]) > 1e12L) {
            return Ansi("Feld ") + std::to_string(i) + Ansi(" ist keine Zahl");
        }
    }
    const auto v = [&p](std::size_t i) { return *p.Value[i] * 0.0001L; };
    const auto whole = [&p](std::size_t i) { return static_cast<int>(std::llround(*p.Value[i])); };
    const int index = whole(1);
    if (index < 0 || index >= ctx.results.Count()) {
        return Ansi("Speicherzeile ") + std::to_string(static_cast<long long>(index) + 1) + Ansi(" gibt es nicht");
    }
    switch (def.kind) {
        case GeoKind::Position: {
            def.x = v(2);
            def.y = v(3);
            def.zone = v(4);
            const int mc = whole(5);
            if (mc < 0 || mc > 2) {
                return Ansi("Feld 5 ist keine Zahl");
            }
            def.mc = static_cast<MaterialCondition>(mc);
            def.sizeNominal = v(6);
            def.sizeUpper = v(7);
            def.sizeLower = v(8);
            def.hole = whole(9) != 0;
            break;
        }
        case GeoKind::Roundness:
        case GeoKind::Straightness:
            def.zone = v(2);
            def.method = p.count >= 3 ? UpperCaseOem(RemoveSpaces(p.Param[3])) : std::string();
            if (CircleMethod cm{};
                def.kind == GeoKind::Roundness && !ParseCircleMethod(def.method, cm) && def.method != kOwnMethod) {
                return Ansi("Methode \"") + def.method + Ansi("\" gibt es nicht");
            }
            if (LineMethod lm{};
                def.kind == GeoKind::Straightness && !ParseLineMethod(def.method, lm) && def.method != kOwnMethod) {
                return Ansi("Methode \"") + def.method + Ansi("\" gibt es nicht");
            }
            break;
        case GeoKind::Angularity:
            def.datum = whole(2);
            def.zone = v(3);
            def.angle = v(4);
            break;
        default:
            def.datum = whole(2);
            def.zone = v(3);
            break;
    }
    def.name = (p.count >= nameField ? p.Rest[nameField] : std::string()).substr(0, kFeatureNameLength);
    if (auto why = JudgeGeometric(ctx, def, index, journal)) {
        return why;
    }
    ctx.results.SelectLast();
    ctx.ClearPoints();
    return std::nullopt;
}

void CompareGeometric(CommandContext& ctx, GeoToleranceDef& last, PartJournal* journal) {
    if (ctx.run.AbortRequested != 0) {
        return;
    }
    const int index = ctx.results.ItemIndex();
    if (index < 0) {
        ctx.op.ShowError(ctx.texts.Compose(kMsgGeoNoSelection, {ctx.UiText(kMsgGeoCaption)}));
        return;
    }
    GeoToleranceDef def = last;
    // The name, the nominal position, the zone and the size start from the feature record.
    def.name = ctx.feature.Name;
    def.x = ctx.feature.PosX;
    def.y = ctx.feature.PosY;
    if (ctx.feature.PosTol > 0) {
        def.zone = ctx.feature.PosTol;
    }
    if (ctx.feature.LowerTol < ctx.feature.UpperTol) {
        def.sizeNominal = ctx.feature.Nominal;
        def.sizeUpper = ctx.feature.UpperTol;
        def.sizeLower = ctx.feature.LowerTol;
    }
    GeoToleranceDialog dlg(def, ctx.op, ctx.texts, ctx.settings.Decimals, ctx.folder.Dir(), ctx.folder.ReadOnlyMedia());
    dlg.Prefill();
    if (!ctx.op.ShowGeoToleranceDialog(dlg)) {
        return;
    }
    last = def;
    if (auto why = JudgeGeometric(ctx, def, index, journal)) {
        ctx.op.ShowError(*why);
        return;
    }
    ctx.feature.Name = def.name;
    if (def.kind == GeoKind::Position) {
        ctx.feature.PosX = def.x;
        ctx.feature.PosY = def.y;
        ctx.feature.PosTol = def.zone;
    }
    ctx.Record(GeoProgramLine(def, index));
    ctx.results.SelectLast();
    ctx.ClearPoints();
}

// --- The dialog ----------------------------------------------------------------------------

GeoToleranceDialog::GeoToleranceDialog(GeoToleranceDef& def, Operator& op, const UiTexts& texts, int decimals,
                                       std::filesystem::path workDir, bool readOnly)
    : m_def(def), m_op(op), m_texts(texts), m_decimals(decimals), m_workDir(std::move(workDir)), m_readOnly(readOnly) {}

void GeoToleranceDialog::Prefill() {
    const auto f = [this](long double v) { return FieldTextOf(v, m_decimals); };
    Text(kName) = m_def.name;
    Text(kZone) = f(m_def.zone);
    Text(kPosX) = f(m_def.x);
    Text(kPosY) = f(m_def.y);
    Text(kSize) = f(m_def.sizeNominal);
    Text(kUpper) = f(m_def.sizeUpper);
    Text(kLower) = f(m_def.sizeLower);
    Text(kDatum) = m_def.datum >= 0 ? std::to_string(m_def.datum + 1) : std::string();
    Text(kAngle) = f(m_def.angle);
    m_kind = m_def.kind;
    mc = m_def.mc;
    hole = m_def.hole;
    method = m_def.method;
    const auto methods = Methods();
    if (std::find(methods.begin(), methods.end(), method) == methods.end()) {
        method = methods.front();
    }
    m_focus = kName;
}

std::vector<std::string> GeoToleranceDialog::Methods() const {
    if (m_kind == GeoKind::Straightness) {
        return {"MZLI", "LSLI", kOwnMethod};
    }
    return {"MZCI", "LSCI", "MICI", "MCCI", kOwnMethod};
}

void GeoToleranceDialog::SetKind(GeoKind k) {
    m_kind = k;
    const auto methods = Methods();
    if (std::find(methods.begin(), methods.end(), method) == methods.end()) {
        method = methods.front();
    }
    const auto order = Order();
    m_focus = order.size() > 1 ? order[1] : kName;
}

std::vector<GeoToleranceDialog::Field> GeoToleranceDialog::Order() const {
    switch (m_kind) {
        case GeoKind::Position:
            return {kName, kPosX, kPosY, kZone, kSize, kUpper, kLower};
        case GeoKind::Roundness:
        case GeoKind::Straightness:
            return {kName, kZone};
        case GeoKind::Angularity:
            return {kName, kDatum, kAngle, kZone};
        default:
            return {kName, kDatum, kZone};
    }
}

void GeoToleranceDialog::KeyDown(int key) {
    const auto order = Order();
    m_focus = StepFocus(order, m_focus, key, kName, order.size() > 1 ? order[1] : kName);
}

void GeoToleranceDialog::NameDblClick() {
    if (auto name = ChooseFeatureName(m_op, m_workDir / FeatureNamesFile(1))) {
        Text(kName) = std::move(*name);
    }
}

void GeoToleranceDialog::SizeExit() {
    const std::string typed = Text(kSize);
    if (ReadNominal(typed).ok) {
        return;
    }
    const IsoTolerance iso = IsoToleranceLookup(typed, m_workDir / kIsoToleranceFile);
    if (!iso.found) {
        if (HasClassCode(typed)) {
            m_op.ShowError(Ansi("Die ISO-Toleranz \"") + RemoveSpaces(typed) + Ansi("\" steht nicht in \"") +
                           kIsoToleranceFile + "\"");
        }
        return;
    }
    const auto f = [this](long double v) { return FieldTextOf(v, m_decimals).substr(0, 10); };
    Text(kSize) = f(iso.nominal);
    Text(kUpper) = f(iso.upper);
    Text(kLower) = f(iso.lower);
    // ISO 286: capital letters are holes, small letters shafts.
    for (const char c : typed) {
        if (std::isalpha(static_cast<unsigned char>(c)) != 0) {
            hole = std::isupper(static_cast<unsigned char>(c)) != 0;
            break;
        }
    }
}

GeoToleranceDialog::Closing GeoToleranceDialog::Ok() {
    const std::string name = Text(kName);
    if (RemoveSpaces(name).empty()) {
        return Closing::Cancel;
    }
    SizeExit();
    GeoToleranceDef def = m_def;
    def.kind = m_kind;
    const std::string kindName = GeoKindName(m_texts, m_kind);
    def.zone = ReadNumber(Text(kZone));
    if (!(def.zone > 0)) {
        m_op.ShowError(m_texts.Compose(kMsgGeoZone, {kindName}));
        return Closing::StaysOpen;
    }
    def.mc = mc;
    def.hole = hole;
    def.method = method;
    if (m_kind == GeoKind::Position) {
        def.x = ReadNumber(Text(kPosX));
        def.y = ReadNumber(Text(kPosY));
        def.sizeNominal = ReadNominal(Text(kSize)).value;
        def.sizeUpper = ReadNumber(Text(kUpper));
        def.sizeLower = ReadNumber(Text(kLower));
        if (mc != MaterialCondition::RFS && !(def.sizeLower < def.sizeUpper)) {
            m_op.ShowError(m_texts.Compose(kMsgGeoNoSize, {kindName}));
            return Closing::StaysOpen;
        }
    }
    if (NeedsDatum(m_kind)) {
        const NumberRead d = ReadNumberChecked(RemoveSpaces(Text(kDatum)));
        if (!d.ok || d.value < 1 || d.value > 1e6L || d.value != std::floor(d.value)) {
            m_op.ShowError(m_texts.Compose(kMsgGeoNoDatum, {kindName, Text(kDatum)}));
            return Closing::StaysOpen;
        }
        def.datum = static_cast<int>(d.value) - 1;
        def.angle = ReadNumber(Text(kAngle));
    }
    if (!m_readOnly) {
        const std::filesystem::path file = m_workDir / FeatureNamesFile(1);
        const auto read = ReadTextLines(file);
        if (read || !FileExists(file)) {
            std::vector<std::string> names = read.value_or(std::vector<std::string>{});
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                names.push_back(name);
                std::stable_sort(names.begin(), names.end(),
                                 [](const std::string& a, const std::string& b) { return GermanLess(a, b); });
                const WriteResult r = WriteFileAtomic(file, JoinLines(names));
                if (!r.ok) {
                    m_op.ShowError(r.error);
                }
            }
        }
    }
    def.name = name.substr(0, kFeatureNameLength);
    m_def = def;
    return Closing::Ok;
}

}  // namespace tarvo

namespace tarvo {

GeoTyping TypeGeoToleranceAnswer(GeoToleranceDialog& dialog, const std::string& answer) {
    std::istringstream in(answer);
    std::vector<std::string> f;
    for (std::string w; in >> w;) {
        f.push_back(w);
    }
    if (f.size() == 1 && f[0] == "cancel") {
        return GeoTyping::Cancel;
    }
    using D = GeoToleranceDialog;
    static const std::pair<const char*, GeoKind> kKinds[] = {
        {"pos", GeoKind::Position},
        {"round", GeoKind::Roundness},
        {"straight", GeoKind::Straightness},
        {"parallel", GeoKind::Parallelism},
        {"perpendicular", GeoKind::Perpendicularity},
        {"angular", GeoKind::Angularity},
        {"concentric", GeoKind::Concentricity},
    };
    const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds),
                                   [&f](const auto& k) { return !f.empty() && f[0] == k.first; });
    if (kind == std::end(kKinds) || f.size() < 3) {
        return GeoTyping::Refused;
    }
    const std::size_t n = f.size();
    bool fits = false;
    switch (kind->second) {
        case GeoKind::Position:
            fits = n == 6 || n == 9 || n == 10;
            break;
        case GeoKind::Roundness:
        case GeoKind::Straightness:
            fits = n == 3 || n == 4;
            break;
        case GeoKind::Angularity:
            fits = n == 5;
            break;
        default:
            fits = n == 4;
            break;
    }
    if (!fits) {
        return GeoTyping::Refused;
    }
    dialog.SetKind(kind->second);
    dialog.Text(D::kName) = f[1];
    switch (kind->second) {
        case GeoKind::Position: {
            dialog.Text(D::kPosX) = f[2];
            dialog.Text(D::kPosY) = f[3];
            dialog.Text(D::kZone) = f[4];
            if (f[5] == "RFS" || f[5] == "MMC" || f[5] == "LMC") {
                dialog.mc = f[5] == "MMC"   ? MaterialCondition::MMC
                            : f[5] == "LMC" ? MaterialCondition::LMC
                                            : MaterialCondition::RFS;
            } else {
                return GeoTyping::Refused;
            }
            if (n >= 9) {
                dialog.Text(D::kSize) = f[6];
                dialog.SizeExit();
                if (f[7] != "-") {
                    dialog.Text(D::kUpper) = f[7];
                }
                if (f[8] != "-") {
                    dialog.Text(D::kLower) = f[8];
                }
            }
            if (n == 10) {
                if (f[9] != "hole" && f[9] != "shaft") {
                    return GeoTyping::Refused;
                }
                dialog.hole = f[9] == "hole";
            }
            break;
        }
        case GeoKind::Roundness:
        case GeoKind::Straightness:
            dialog.Text(D::kZone) = f[2];
            if (n == 4) {
                const auto methods = dialog.Methods();
                if (std::find(methods.begin(), methods.end(), f[3]) == methods.end()) {
                    return GeoTyping::Refused;
                }
                dialog.method = f[3];
            }
            break;
        case GeoKind::Angularity:
            dialog.Text(D::kDatum) = f[2];
            dialog.Text(D::kAngle) = f[3];
            dialog.Text(D::kZone) = f[4];
            break;
        default:
            dialog.Text(D::kDatum) = f[2];
            dialog.Text(D::kZone) = f[3];
            break;
    }
    switch (dialog.Ok()) {
        case D::Closing::Ok:
            return GeoTyping::Ok;
        case D::Closing::Cancel:
            return GeoTyping::Cancel;
        case D::Closing::StaysOpen:
            break;
    }
    return GeoTyping::StaysOpen;
}

}  // namespace tarvo
