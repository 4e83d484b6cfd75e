#include "shell/windowcommands.h"

#include "shell/mainwindow.h"
#include "base/text.h"

namespace tarvo {

void TextLineCommand(MainWindow& w) {
    Session& s = w.session();
    const bool recording = s.settings.Recording != 0;
    const auto answer = s.Op().TextLine(!recording);
    if (!answer) {
        return;
    }
    ResultList& list = w.lb1();
    const std::string line = FormatInt(list.Count() + 1, 3) + " " + answer->text;
    if (answer->insert && !recording) {
        const int before = list.ItemIndex() >= 0 ? list.ItemIndex() : list.Count();
        list.Insert(before, line);
        list.SetItemIndex(before);
        list.Renumber();
        return;
    }
    list.Append(line);
    w.RecordLine("Text:" + answer->text);
}

void SystemSettingsCommand(MainWindow& w) {
    Session& s = w.session();
    const auto modes = s.Op().SystemSettings(s.settings.CircleMode, s.settings.AngleMode);
    if (!modes) {
        return;
    }
    s.settings.CircleMode = modes->first == 1 ? 1 : 0;
    s.settings.AngleMode = modes->second == 1 ? 1 : 0;
    const auto file = s.WorkFile(kSettingsFile);
    for (const auto& [key, value] : {std::pair{"KR_MODE", s.settings.CircleMode}, {"WI_MODE", s.settings.AngleMode}}) {
        const WriteResult r = WriteIniInteger(kSectionParameter, file, key, value, s.ReadOnlyMedia());
        if (!r.ok) {
            s.Op().ShowError(r.error);
        }
    }
    w.RecordLine("KRMODE:" + std::to_string(s.settings.CircleMode));
    w.RecordLine("WIMODE:" + std::to_string(s.settings.AngleMode));
}

}  // namespace tarvo
