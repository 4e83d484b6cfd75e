#include "elements/reference.h"

#include "base/ini.h"
#include "base/text.h"
#include "data/commandcontext.h"

namespace tarvo {

namespace {

std::string& StationSetting(Settings& s, ReferenceKind kind) {
    return kind == ReferenceKind::Circle ? s.CircleReference : s.LineReference;
}

std::string_view WordOf(ReferenceKind kind) {
    return kind == ReferenceKind::Circle ? word::kCircleReference : word::kLineReference;
}

}  // namespace

std::span<const char* const> ReferenceNames(ReferenceKind kind) {
    if (kind == ReferenceKind::Circle) {
        return kCircleReferences;
    }
    return kLineReferences;
}

const char* ReferenceName(ReferenceKind kind, std::string_view name) {
    const std::string upper = UpperCaseOem(name);
    for (const char* n : ReferenceNames(kind)) {
        if (upper == n) {
            return n;
        }
    }
    return nullptr;
}

const std::string& ReferenceInForce(const CommandContext& ctx, ReferenceKind kind) {
    if (ctx.run.ProgramRunning) {
        return kind == ReferenceKind::Circle ? ctx.run.RunCircleReference : ctx.run.RunLineReference;
    }
    return kind == ReferenceKind::Circle ? ctx.settings.CircleReference : ctx.settings.LineReference;
}

bool ChooseReference(CommandContext& ctx, ReferenceKind kind, std::string_view name) {
    const char* chosen = ReferenceName(kind, name);
    if (chosen == nullptr) {
        return false;
    }
    std::string& setting = StationSetting(ctx.settings, kind);
    if (setting == chosen) {
        return true;
    }
    setting = chosen;
    if (!ctx.folder.ReadOnlyMedia()) {
        const WriteResult r =
            WritePrivateProfileString(ctx.folder.File(kSettingsFile), kSectionParameter,
                                      kind == ReferenceKind::Circle ? "KR_BEZUG" : "GE_BEZUG", chosen);
        if (!r.ok) {
            ctx.op.ShowError(r.error);
        }
    }
    ctx.Record(WordOf(kind), chosen);
    ctx.changes.ReferenceChanged.Notify();
    return true;
}

void RecordReferences(CommandContext& ctx) {
    for (const ReferenceKind kind : {ReferenceKind::Circle, ReferenceKind::Line}) {
        const std::string& setting = StationSetting(ctx.settings, kind);
        if (setting != kOwnReference) {
            ctx.Record(WordOf(kind), setting);
        }
    }
}

bool ReplayReference(CommandContext& ctx, ReferenceKind kind, std::string_view name) {
    const char* chosen = ReferenceName(kind, name);
    if (chosen == nullptr) {
        return false;
    }
    (kind == ReferenceKind::Circle ? ctx.run.RunCircleReference : ctx.run.RunLineReference) = chosen;
    return true;
}

std::string ReferenceStatus(const Settings& s, const UiTexts& texts) {
    if (s.CircleReference == kOwnReference && s.LineReference == kOwnReference) {
        return {};
    }
    return texts.Compose(kMsgReferenceStatus, {s.CircleReference, s.LineReference});
}

}  // namespace tarvo
