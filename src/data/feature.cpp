#include "data/feature.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "data/isotolerance.h"
#include "shell/operator.h"

namespace tarvo {

namespace {

// A value as the dialog shows it: with the display decimals, or with as many more (up to 6) as
// it needs to be shown exactly, so that a limit of 6.5 um is read back as 0.0065, not 0.007.
std::string FieldText(long double v, int decimals) {
    constexpr int kMostDecimals = 6;
    for (int d = std::max(decimals, 0); d < kMostDecimals; ++d) {
        const std::string t = FormatReal(v, 0, d);
        if (std::fabs(ReadNumber(t) - v) <= 1e-9L * std::max(1.0L, std::fabs(v))) {
            return t;
        }
    }
    return FormatReal(v, 0, std::max(decimals, kMostDecimals));
}

// A name as a line of its names file: a line break or control character (a name pasted or
// replayed from a program) would split the line or make the file one the readers refuse, so it
// becomes a blank.
std::string NameLine(std::string name) {
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            c = ' ';
        }
    }
    return name;
}

// Alphabetical order of the names files, as a German operator looks a name up.
bool NameLess(const std::string& a, const std::string& b) { return GermanLess(a, b); }
}  // namespace

const char* FeatureNamesFile(int page) {
    static const char* const kFiles[3] = {"mrk_var.txt", "mrk_pos.txt", "mrk_atr.txt"};
    return kFiles[page >= 0 && page < 3 ? page : 0];
}

std::vector<std::string> LoadFeatureNames(const std::filesystem::path& file) {
    return ReadTextLines(file).value_or(std::vector<std::string>{});
}

FeatureDialog::FeatureDialog(FeatureDef& def, Operator& op, int decimals, std::filesystem::path workDir, bool readOnly)
    : m_def(def), m_op(op), m_decimals(decimals), m_workDir(std::move(workDir)), m_readOnly(readOnly) {}

void FeatureDialog::Prefill() {
    const auto f = [this](long double v) { return FieldText(v, m_decimals); };
    Text(kName) = m_def.Name;
    Text(kNennwert) = f(m_def.Nominal);
    Text(kOT) = f(m_def.UpperTol);
    Text(kUT) = f(m_def.LowerTol);
    Text(kFaktor) = f(m_def.Factor);
    Text(kPositionX) = f(m_def.PosX);
    Text(kPositionY) = f(m_def.PosY);
    Text(kToleranz) = f(m_def.PosTol);
    m_page = kVariabel;
    m_focus = kName;
}

FeatureDialog::Field FeatureDialog::FirstField() const {
    switch (m_page) {
        case kPosition:
            return kPositionX;
        case kAttributiv:
            return kChoice;
        default:
            return kNennwert;
    }
}

std::vector<FeatureDialog::Field> FeatureDialog::Order() const {
    switch (m_page) {
        case kPosition:
            return {kName, kPositionX, kPositionY, kToleranz};
        case kAttributiv:
            return {kName, kChoice};
        default:
            return {kName, kNennwert, kOT, kUT, kFaktor};
    }
}

void FeatureDialog::SetPage(Page p) {
    m_page = p;
    m_focus = FirstField();
}

void FeatureDialog::KeyDown(int key) { m_focus = StepFocus(Order(), m_focus, key, kName, FirstField()); }

std::optional<std::string> ChooseFeatureName(Operator& op, const std::filesystem::path& file) {
    // The chooser shows the names sorted, whatever order the file was left in.
    auto names = LoadFeatureNames(file);
    std::stable_sort(names.begin(), names.end(), NameLess);
    const auto chosen = op.Choose("Tmerkmalsnamen", names);
    if (chosen && *chosen >= 1 && static_cast<std::size_t>(*chosen) <= names.size()) {
        return names[static_cast<std::size_t>(*chosen - 1)];
    }
    return std::nullopt;
}

void FeatureDialog::NameDblClick() {
    if (auto name = ChooseFeatureName(m_op, m_workDir / FeatureNamesFile(m_page))) {
        Text(kName) = std::move(*name);
    }
}

void FeatureDialog::NennwertExit() {
    const std::string typed = Text(kNennwert);
    if (ReadNominal(typed).ok) {
        return;
    }
    const IsoTolerance iso = IsoToleranceLookup(typed, m_workDir / kIsoToleranceFile);
    if (!iso.found) {
        // A size with a tolerance class ("20H7") that the table does not give: said, so that a
        // damaged or missing table is not mistaken for a typing error at OK.
        const std::string t = RemoveSpaces(typed);
        if (!t.empty() && t.front() >= '0' && t.front() <= '9' &&
            std::any_of(t.begin(), t.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; })) {
            m_op.ShowError(Ansi("Die ISO-Toleranz \"") + t + Ansi("\" steht nicht in \"") + kIsoToleranceFile + "\"");
        }
        return;
    }
    // The table's limits as they are, for the judgement: 24JS6 is +-0.0065, whatever the
    // display decimals.
    const auto f = [this](long double v) { return FieldText(v, m_decimals).substr(0, 10); };
    Text(kNennwert) = f(iso.nominal);
    Text(kOT) = f(iso.upper);
    Text(kUT) = f(iso.lower);
}

void FeatureDialog::AddName(const std::string& typed) const {
    const std::string name = NameLine(typed);
    if (m_readOnly) {
        return;
    }
    const std::filesystem::path file = m_workDir / FeatureNamesFile(m_page);
    const auto read = ReadTextLines(file);
    if (!read && FileExists(file)) {
        // A names file that cannot be read is not replaced by one holding only the new name.
        TellFileNotes();  // why it cannot be read comes first
        m_op.ShowError(Ansi("Die Datei \"") + file.filename().string() +
                       Ansi("\" kann nicht gelesen werden; sie wird nicht überschrieben"));
        return;
    }
    std::vector<std::string> names = read.value_or(std::vector<std::string>{});
    if (std::find(names.begin(), names.end(), name) != names.end()) {
        return;
    }
    names.push_back(name);
    std::stable_sort(names.begin(), names.end(), NameLess);  // a file sorted otherwise is put in order
    const WriteResult r = WriteFileAtomic(file, JoinLines(names));
    if (!r.ok) {
        m_op.ShowError(r.error);
    }
}

FeatureDialog::Closing FeatureDialog::Ok() {
    const std::string name = Text(kName);
    if (RemoveSpaces(name).empty()) {
        return Closing::Cancel;
    }
    FeatureDef def = m_def;
    switch (m_page) {
        case kVariabel: {
            def.Nominal = ReadNominal(Text(kNennwert)).value;
            def.UpperTol = ReadNumber(Text(kOT));
            def.LowerTol = ReadNumber(Text(kUT));
            if (!(def.LowerTol < def.UpperTol)) {
                m_op.ShowError(" OT <= UT ");
                return Closing::StaysOpen;
            }
            const NumberRead factor = ReadNumberChecked(Text(kFaktor));
            def.Factor = factor.ok ? factor.value : 1.0L;
            def.Kind = 0;
            break;
        }
        case kPosition:
            def.PosX = ReadNumber(Text(kPositionX));
            def.PosY = ReadNumber(Text(kPositionY));
            def.PosTol = ReadNumber(Text(kToleranz));
            if (!(0 < def.PosTol)) {
                m_op.ShowError(" OT <= 0 ");
                return Closing::StaysOpen;
            }
            def.Kind = 1;
            break;
        default:
            def.Kind = 2;
            break;
    }
    AddName(name);
    def.Name = name.substr(0, kFeatureNameLength);
    m_def = def;
    return Closing::Ok;
}

bool EditFeature(FeatureDef& def, Operator& op, int decimals, const std::filesystem::path& workDir, bool readOnly,
                 int* choice) {
    FeatureDialog dlg(def, op, decimals, workDir, readOnly);
    dlg.Prefill();
    const bool ok = op.ShowFeatureDialog(dlg);
    if (choice != nullptr) {
        *choice = dlg.choice;
    }
    return ok;
}

}  // namespace tarvo
