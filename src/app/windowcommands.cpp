#include "app/windowcommands.h"

#include "base/text.h"
#include "data/commandcontext.h"
#include "elements/reference.h"
#include "shell/stringloader.h"

namespace tarvo {

void TextLineCommand(CommandContext& ctx) {
    const bool recording = ctx.run.Recording != 0;
    const auto answer = ctx.op.TextLine(!recording);
    if (!answer) {
        return;
    }
    ResultList& list = ctx.results;
    const std::string line = WriteTextLine(list.Count() + 1, answer->text);
    if (answer->insert && !recording) {
        const int before = list.ItemIndex() >= 0 ? list.ItemIndex() : list.Count();
        list.Insert(before, line);
        list.SetItemIndex(before);
        list.Renumber();
        return;
    }
    list.Append(line);
    ctx.Record(word::kText, answer->text);
}

void SystemSettingsCommand(CommandContext& ctx) {
    const auto choice = ctx.op.SystemSettings({ctx.settings.CircleMode, ctx.settings.AngleMode, ctx.settings.Language,
                                               ctx.settings.CircleReference, ctx.settings.LineReference});
    if (!choice) {
        return;
    }
    ctx.settings.CircleMode = choice->circleMode == 1 ? 1 : 0;
    ctx.settings.AngleMode = choice->angleMode == 1 ? 1 : 0;
    const auto file = ctx.folder.File(kSettingsFile);
    for (const auto& [key, value] :
         {std::pair{"KR_MODE", ctx.settings.CircleMode}, {"WI_MODE", ctx.settings.AngleMode}}) {
        const WriteResult r = WriteIniInteger(kSectionParameter, file, key, value, ctx.folder.ReadOnlyMedia());
        if (!r.ok) {
            ctx.op.ShowError(r.error);
        }
    }
    // The language takes effect at the next start: the texts are loaded once, at start-up.
    if (choice->language != ctx.settings.Language && LanguageFolder(choice->language)) {
        ctx.settings.Language = static_cast<std::uint8_t>(choice->language);
        const WriteResult r =
            WriteIniInteger(kSectionSettings, file, "LANGUAGE", ctx.settings.Language, ctx.folder.ReadOnlyMedia());
        if (!r.ok) {
            ctx.op.ShowError(r.error);
        }
    }
    ctx.Record(word::kCircleMode, std::to_string(ctx.settings.CircleMode));
    ctx.Record(word::kAngleMode, std::to_string(ctx.settings.AngleMode));
    // The reference elements: written and recorded only when they change.
    (void)ChooseReference(ctx, ReferenceKind::Circle, choice->circleReference);
    (void)ChooseReference(ctx, ReferenceKind::Line, choice->lineReference);
}

}  // namespace tarvo
