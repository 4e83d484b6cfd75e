#include "app/scriptedoperator.h"

#include <filesystem>
#include <sstream>

#include "base/cp1252.h"
#include "base/text.h"
#include "output/converterpresetsdialog.h"
#include "output/headerdata.h"
#include "views/bitmapview.h"

namespace tarvo {

namespace {

const std::string kCancel = "cancel";
const std::string kInputCancel(1, '\0');

// A whole number of up to 9 digits, or nothing.
std::optional<int> Digits(const std::string& s) {
    if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stoi(s);
}

}  // namespace

std::optional<std::string> ScriptedOperator::Take(const std::string& queueKind, const std::string& shownKind,
                                                  const std::string& text) {
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (it->kind == queueKind) {
            std::string words = std::move(it->words);
            m_queue.erase(it);
            return words;
        }
        if (m_order == Order::Strict) {
            break;  // the next answer is for another dialog: this one came out of turn
        }
    }
    Unanswered(shownKind, text);
    return std::nullopt;
}

void ScriptedOperator::ShowInfo(const std::string& text) {
    if (m_order == Order::Strict) {
        (void)Take("info", "info", text);
    }
    Shown("info", text, nullptr);
}

void ScriptedOperator::ShowError(const std::string& text) {
    if (m_order == Order::Strict) {
        (void)Take("error", "error", text);
    }
    Shown("error", text, nullptr);
}

bool ScriptedOperator::Ask(const std::string& text, Buttons buttons) {
    const auto a = Take("answer", "ask", text);
    const bool yes = a && (*a == "ok" || *a == "yes");
    const std::string shown = buttons == Buttons::YesNo ? (yes ? "yes" : "no") : (yes ? "ok" : "cancel");
    Shown("ask", text, &shown);
    return yes;
}

std::optional<std::string> ScriptedOperator::Input(const std::string& title, const std::string& /*preset*/) {
    const auto a = Take("input", "input", title);
    if (!a || *a == kInputCancel) {
        Shown("input", title, &kCancel);
        return std::nullopt;
    }
    Shown("input", title, &*a);
    return a;
}

std::optional<bool> ScriptedOperator::TwoButtons(const std::string& caption1, const std::string& caption2) {
    const std::string text = caption1 + " / " + caption2;
    const auto a = Take("answer", "ask", text);
    const bool yes = a && (*a == "yes" || *a == "ok");
    const std::string shown = yes ? "yes" : "no";
    Shown("ask", text, &shown);
    if (!a || *a == kCancel) {
        return std::nullopt;  // closed without a button
    }
    return yes;
}

std::optional<TextLineAnswer> ScriptedOperator::TextLine(bool insertAllowed) {
    const auto a = Take("textline", "textline", "Textzeile");
    if (!a) {
        return std::nullopt;
    }
    Shown("textline", "Textzeile", &*a);
    if (*a == kCancel) {
        return std::nullopt;
    }
    const auto sp = a->find(' ');
    const bool insert = a->substr(0, sp) == "insert";
    if (insert && !insertAllowed) {
        Refused(Ansi("textline insert (\"Einfügen\" is disabled while recording)"));
        return std::nullopt;
    }
    return TextLineAnswer{insert, sp == std::string::npos ? std::string() : a->substr(sp + 1)};
}

std::optional<SystemChoice> ScriptedOperator::SystemSettings(const SystemChoice& current) {
    const auto a = Take("system", "system", "Systemeinstellungen");
    if (!a) {
        return std::nullopt;
    }
    Shown("system", "TSys", &*a);
    if (*a == kCancel || (a->size() != 3 && a->size() != 5)) {
        return std::nullopt;
    }
    SystemChoice c = current;
    c.circleMode = (*a)[0] - '0';
    c.angleMode = (*a)[2] - '0';
    if (a->size() == 5) {
        c.language = (*a)[4] - '0';
    }
    return c;
}

std::optional<int> ScriptedOperator::ChooseAngle(const std::array<long double, 4>& /*candidates*/,
                                                 const std::string& /*label*/) {
    const auto k = Choose("Tselect_winkel", {});
    if (!k || *k < 1 || *k > 4) {
        return std::nullopt;  // only the four buttons exist
    }
    return k;
}

std::optional<int> ScriptedOperator::Choose(const std::string& dialog, const std::vector<std::string>& /*choices*/) {
    const auto a = Take("choose", "choose", dialog);
    if (!a) {
        return std::nullopt;
    }
    Shown("choose", dialog, &*a);
    return Digits(*a);
}

std::optional<std::string> ScriptedOperator::ChooseFile(const FileDialogRequest& request) {
    const auto a = Take("file", "file", request.dialog);
    if (!a) {
        return std::nullopt;
    }
    Shown("file", request.dialog, &*a);
    if (*a == kCancel) {
        return std::nullopt;
    }
    // "ok" takes the name the dialog offers, when it offers one. Otherwise as typed into the
    // dialog's name field: the default extension is added when the name has none, and a
    // relative name lies in the folder the dialog opens in.
    std::filesystem::path name(*a == "ok" && !request.defaultName.empty() ? request.defaultName : *a);
    if (!name.has_extension() && !request.defaultExt.empty()) {
        name += "." + request.defaultExt;
    }
    if (name.is_relative() && !request.initialDir.empty()) {
        name = std::filesystem::path(request.initialDir) / name;
    }
    return name.string();
}

HeaderClosing ScriptedOperator::ShowHeaderDialog(HeaderDataDialog& dialog) {
    const auto a = Take("header", "header", "TheadData");
    if (!a) {
        return HeaderClosing::Abort;
    }
    Shown("header", "TheadData", &*a);
    const auto sp = a->find(' ');
    const std::string how = a->substr(0, sp);
    if (sp != std::string::npos) {
        std::string rest = a->substr(sp + 1);
        for (std::size_t i = 0; i < dialog.inputs.size(); ++i) {
            const auto bar = rest.find('|');
            dialog.inputs[i] = rest.substr(0, bar);
            if (bar == std::string::npos) {
                break;
            }
            rest = rest.substr(bar + 1);
        }
    }
    return how == "ok" ? HeaderClosing::Ok : how == "save" ? HeaderClosing::OkSave : HeaderClosing::Abort;
}

bool ScriptedOperator::ShowBitmapView(BitmapView& view) {
    const auto a = Take("area", "area", "TBMP_View");
    if (!a || *a == "cancel") {
        if (a) {
            Shown("area", "TBMP_View", &*a);
        }
        return false;
    }
    if (*a == "ok") {
        // OK straight away: no area measured, so the dialog ends as cancelled.
        Shown("area", "TBMP_View", &*a);
        return view.Ok();
    }
    // "X Y": draw, "Fläche", a click at (X, Y) in the points' millimetres, then OK.
    const auto sp = a->find(' ');
    const NumberRead x = ReadNumberChecked(a->substr(0, sp));
    const NumberRead y = ReadNumberChecked(sp == std::string::npos ? std::string() : a->substr(sp + 1));
    if (!x.ok || !y.ok) {
        Refused("area " + *a);
        return false;
    }
    if (!view.Draw()) {
        Shown("area", "TBMP_View", &*a);
        ShowError(view.Problem());
        return false;
    }
    view.StartArea();
    const auto [px, py] = view.PixelOf(x.value, y.value);
    const bool measured = view.Click(px, py);
    std::string shown = *a + ": " + Translated(view.Label8) + " " + view.Label6;
    Shown("area", "TBMP_View", &shown);
    if (!measured) {
        ShowError(view.Problem());
    }
    return view.Ok();
}

bool ScriptedOperator::ShowConverterPresets(ConverterPresetsDialog& dialog) {
    const auto a = Take("presets", "presets", "Tsetting_gxx");
    if (!a) {
        return false;
    }
    Shown("presets", "Tsetting_gxx", &*a);
    std::istringstream words(*a);
    std::string how;
    words >> how;
    // The fields and choices in the order typed; what the dialog does at once happens at once.
    std::string word;
    while (words >> word) {
        const auto eq = word.find('=');
        const std::string key = word.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : word.substr(eq + 1);
        std::string* field = key == "offset-x"    ? &dialog.offsetX
                             : key == "offset-y"  ? &dialog.offsetY
                             : key == "diameter"  ? &dialog.toolDiameter
                             : key == "file"      ? &dialog.fileName
                             : key == "depth"     ? &dialog.depth
                             : key == "deviation" ? &dialog.maxDeviation
                             : key == "factor-x"  ? &dialog.factorX
                             : key == "factor-y"  ? &dialog.factorY
                                                  : nullptr;
        if (field != nullptr) {
            *field = value;
        } else if (key == "zero" && (value == "0" || value == "1")) {
            dialog.FirstPointToZeroClick(value == "1");
        } else if (key == "closed" && (value == "0" || value == "1")) {
            dialog.ClosedClick(value == "1");
        } else if (key == "side" && (value == "right" || value == "left")) {
            dialog.SideClick(value == "left");
        } else if (key == "output" && (value == "gxx" || value == "dxf")) {
            dialog.OutputKindClick(value == "dxf");
        } else if (key == "mirror-x" || key == "mirror-y") {
            dialog.FactorDblClick(key == "mirror-x" ? 0 : 1);
        } else {
            Refused("presets " + word);
        }
    }
    if (how != "ok") {
        return false;
    }
    dialog.Ok();
    return true;
}

}  // namespace tarvo
