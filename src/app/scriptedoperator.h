// An Operator whose answers are queued in advance, in the words an operator's script gives them:
// "ok", "cancel", "yes", "no" for questions, the typed text (or "\0" for Cancel) for input
// dialogs, the choice number or "cancel" for choosers, the file name or "cancel" for file
// dialogs, "append TEXT" / "insert TEXT" / "cancel" for the text line, "C A" / "cancel" for the
// system settings. tarvo-cli answers every dialog this way, taking the first queued answer of
// a dialog's kind; the tests take them in strict order, so a dialog out of turn is caught.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "shell/operator.h"

namespace tarvo {

class ScriptedOperator : public Operator {
public:
    enum class Order { ByKind, Strict };
    explicit ScriptedOperator(Order order) : m_order(order) {}

    // Queues `words` (Windows-1252) for the next dialog of `kind`: "answer" (questions and the
    // two-button choice), "input", "choose", "file", "textline", "system", "feature"; in strict
    // order also "info" and "error" for the boxes that must come.
    void Queue(std::string kind, std::string words) { m_queue.push_back({std::move(kind), std::move(words)}); }
    [[nodiscard]] const auto& Queued() const noexcept { return m_queue; }
    // Forgets the answers no dialog took.
    void ClearQueue() noexcept { m_queue.clear(); }

    void ShowInfo(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool Ask(const std::string& text, Buttons buttons) override;
    std::optional<std::string> Input(const std::string& title, const std::string& preset) override;
    std::optional<bool> TwoButtons(const std::string& caption1, const std::string& caption2) override;
    std::optional<TextLineAnswer> TextLine(bool insertAllowed) override;
    // "C A" or "C A L" (L the language index; without it the language stays), or "cancel".
    std::optional<SystemChoice> SystemSettings(const SystemChoice& current) override;
    std::optional<int> ChooseAngle(const std::array<long double, 4>& candidates, const std::string& label) override;
    std::optional<int> Choose(const std::string& dialog, const std::vector<std::string>& choices) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    // "ok", "save" (OK + speichern) or "cancel", then optionally the inputs from the first on,
    // separated by "|": "ok A-4711|Welle".
    HeaderClosing ShowHeaderDialog(HeaderDataDialog& dialog) override;
    // "ok" (OK at once: no area, so cancel), "cancel", or "X Y": draw, "Fläche", a click at the
    // point (X, Y) in millimetres of the point list, then OK.
    bool ShowBitmapView(BitmapView& view) override;
    // "ok" or "cancel", then fields and choices in the order typed: offset-x=, offset-y=,
    // diameter=, file=, depth=, deviation=, factor-x=, factor-y=, zero=0|1, closed=0|1,
    // side=right|left, output=gxx|dxf, mirror-x, mirror-y.
    bool ShowConverterPresets(ConverterPresetsDialog& dialog) override;

protected:
    // What the operator saw: `kind` ("info", "error", "ask", "input", "choose", "file",
    // "textline", "system", "feature"), the dialog's text, and the answer as shown (none for
    // the two boxes).
    virtual void Shown(const std::string& kind, const std::string& text, const std::string* answer) = 0;
    // A dialog came up with no answer queued for it; the dialog is then cancelled unless this
    // ends the run (tarvo-cli throws).
    virtual void Unanswered(const std::string& kind, const std::string& text) = 0;
    // An answer that the dialog refuses (e.g. "insert" while recording), shown as a note.
    virtual void Refused(const std::string& note) = 0;
    // A text of the program's own (a view's label) in the loaded language; as it is by default.
    [[nodiscard]] virtual std::string Translated(const std::string& german) const { return german; }

    // The answer words queued for a dialog of `kind`, or nothing (after Unanswered).
    std::optional<std::string> Take(const std::string& queueKind, const std::string& shownKind,
                                    const std::string& text);

private:
    struct Answer {
        std::string kind;
        std::string words;
    };
    Order m_order;
    std::deque<Answer> m_queue;
};

}  // namespace tarvo
