#include "coords/machinecalibration.h"

#include "base/cp1252.h"
#include "data/commandcontext.h"

namespace tarvo {

void MachineCalibration::Load() {
    m_file = LoadCalibrationFile(m_ctx.folder.File(kCalibrationFile), m_ctx.texts);
    if (m_file.status == CalibrationFileStatus::Damaged) {
        m_correction = ScaleCorrection{};
        m_ctx.op.ShowError(m_ctx.texts.Compose(kMsgCalibrationDamaged, {kCalibrationFile, m_file.problem}));
    } else if (m_file.status == CalibrationFileStatus::Loaded) {
        m_correction = m_file.record.correction;
        const DateTime date = m_file.record.date;
        const int days = CalibrationIntervalDays(m_ctx.folder.File(kSettingsFile));
        if (days > 0 && DateBefore(AddDays(date, days), m_ctx.clock.Now())) {
            m_ctx.op.ShowInfo(
                m_ctx.texts.Compose(kMsgCalibrationOverdue, {DateText(date), DateText(AddDays(date, days))}));
        }
    }
    ShowState();
}

void MachineCalibration::ShowState() {
    const UiTexts& texts = m_ctx.texts;
    m_status.clear();
    m_ctx.header.calibration.clear();
    if (m_file.status == CalibrationFileStatus::Damaged) {
        m_status = texts.Compose(kMsgUncorrected, {});
    } else if (m_file.status == CalibrationFileStatus::Loaded) {
        const CalibrationRecord& r = m_file.record;
        const int days = CalibrationIntervalDays(m_ctx.folder.File(kSettingsFile));
        const std::string due = days > 0 ? DateText(AddDays(r.date, days)) : "-";
        m_status = texts.Compose(kMsgCalibrated, {DateText(r.date), due});
        m_ctx.header.calibration = texts.Compose(kMsgCalReport, {DateText(r.date), due, r.standard, r.certificate});
    }
}

void MachineCalibration::Start(CalibrationKind kind, int axis, std::vector<long double> certified) {
    m_result.reset();
    m_procedure = std::make_unique<CalibrationProcedure>(kind, axis, std::move(certified));
    m_ctx.changes.Prompt.Notify(m_procedure->Prompt(m_ctx.texts));
}

bool MachineCalibration::Capture(long double x, long double y) {
    if (!m_procedure) {
        return false;
    }
    m_procedure->Capture(x, y);
    m_ctx.changes.Prompt.Notify(m_procedure->Prompt(m_ctx.texts));
    return true;
}

bool MachineCalibration::NextEdge() {
    const bool ok = m_procedure && m_procedure->NextEdge();
    if (ok) {
        m_ctx.changes.Prompt.Notify(m_procedure->Prompt(m_ctx.texts));
    }
    return ok;
}

const CalibrationResult* MachineCalibration::Compute() {
    if (!m_procedure) {
        m_ctx.op.ShowError(m_ctx.texts.Compose(kMsgCalNothing, {}));
        return m_result.get();
    }
    m_result = std::make_unique<CalibrationResult>(m_procedure->Compute(m_correction, m_ctx.texts));
    if (!m_result->ok) {
        m_ctx.op.ShowError(m_ctx.texts.Compose(kMsgCalRefused, {m_result->refusal}));
    }
    return m_result.get();
}

bool MachineCalibration::AskDetails(CalibrationRecord& details) {
    for (auto [field, title] :
         {std::pair{&details.operatorName, kMsgCalOperator}, std::pair{&details.standard, kMsgCalStandard},
          std::pair{&details.certificate, kMsgCalCertNo}, std::pair{&details.temperature, kMsgCalTemperature}}) {
        const std::optional<std::string> text = m_ctx.op.Input(m_ctx.texts.Compose(title, {}), *field);
        if (!text) {
            return false;
        }
        *field = *text;
    }
    return true;
}

bool MachineCalibration::Save(const CalibrationRecord& details) {
    Operator& op = m_ctx.op;
    const UiTexts& texts = m_ctx.texts;
    if (!m_result || !m_result->ok) {
        const std::string reason = m_result ? m_result->refusal : texts.Compose(kMsgCalNothing, {});
        op.ShowError(texts.Compose(kMsgCalRefused, {reason}));
        return false;
    }
    if (m_ctx.folder.ReadOnlyMedia()) {
        op.ShowInfo(Ansi("Schreiben auf CD nicht möglich"));
        return false;
    }
    if (m_file.status == CalibrationFileStatus::Damaged &&
        !op.Ask(texts.Compose(kMsgCalReplaceDamaged, {kCalibrationFile}), Buttons::YesNo)) {
        return false;
    }
    const auto& lines = m_result->lines;
    if (!op.Ask(texts.Compose(kMsgCalSave, {lines.empty() ? std::string() : lines.back()}), Buttons::YesNo)) {
        return false;
    }
    CalibrationRecord record = details;
    // One line each in the file: a line break typed into a field does not start another key.
    for (std::string* field : {&record.operatorName, &record.standard, &record.certificate, &record.temperature}) {
        for (char& ch : *field) {
            if (ch == '\r' || ch == '\n') {
                ch = ' ';
            }
        }
    }
    const DateTime now = m_ctx.clock.Now();
    record.date = DateTime{now.year, now.month, now.day, 0, 0, 0};
    record.correction = m_result->correction;
    const WriteResult w = SaveCalibrationFile(m_ctx.folder.File(kCalibrationFile), record);
    if (!w.ok) {
        op.ShowError(w.error);
        return false;
    }
    m_file.status = CalibrationFileStatus::Loaded;
    m_file.record = record;
    m_file.problem.clear();
    m_correction = record.correction;
    ShowState();
    Cancel();
    op.ShowInfo(texts.Compose(kMsgCalSaved, {kCalibrationFile}));
    return true;
}

void MachineCalibration::Cancel() {
    m_procedure.reset();
    m_result.reset();
    m_ctx.changes.Prompt.Notify("");
}

}  // namespace tarvo
