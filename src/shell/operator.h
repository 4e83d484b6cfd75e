// Everything the system shows the operator and waits for: message boxes, questions, input
// dialogs, choosers, file dialogs and the wait for captured points. The GUI implements it with
// modal Qt dialogs; tarvo-cli and the tests with scripted answers.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvo {

class BitmapView;
class ConverterPresetsDialog;
class FeatureDialog;
class GeoToleranceDialog;
class HeaderDataDialog;
// How the header-data dialog `TheadData` was closed (values in the dialog's inputs).
enum class HeaderClosing { Ok, OkSave, Abort };

enum class Buttons { OkCancel, YesNo };

// What the system settings `TSys` show and return: circle mode (0 diameter, 1 radius), angle
// mode (0 decimal, 1 degrees-minutes-seconds) and the language index (0 German ... 5 Italian).
// The reference elements of circles and lines are names of kCircleReferences / kLineReferences.
struct SystemChoice {
    int circleMode = 0;
    int angleMode = 0;
    int language = 0;
    std::string circleReference = "SEARCH";
    std::string lineReference = "SEARCH";
};

// The answer of the text-line dialog `Ttext_zeile`.
struct TextLineAnswer {
    bool insert = false;  // "Einfügen" (before the selected line), else "Anhängen"
    std::string text;
};

// What an open or save dialog offers; the texts are Windows-1252 like all core text.
struct FileDialogRequest {
    std::string dialog;         // the dialog's own name, e.g. "SaveDialog1"
    std::string filter;         // "Speicherinhalt|*.spt"
    std::string defaultExt;     // "spt", added when the typed name has none
    std::string initialDir;     // folder the dialog opens in, relative to the working folder
    bool save = false;          // save dialog (else open)
    std::string defaultName{};  // the name the dialog offers ("TARVO.DXF"); empty: none
};

class Operator {
public:
    virtual ~Operator() = default;

    // Information box with a single OK button; returns when it is closed.
    virtual void ShowInfo(const std::string& text) = 0;
    // Refusal with the error icon and a single OK button.
    virtual void ShowError(const std::string& text) = 0;
    // A question. @retval true OK or Yes. @retval false Cancel or No (also a closed box).
    virtual bool Ask(const std::string& text, Buttons buttons) = 0;
    // Input dialog `TEingabe` with a title and a preset text.
    // @return the text confirmed with OK, or nothing on Cancel.
    virtual std::optional<std::string> Input(const std::string& title, const std::string& preset) = 0;
    // The two-button choice `TAuswahl`: @retval true the second button (closes with Yes),
    // false the first (No); nothing when the dialog was closed otherwise.
    virtual std::optional<bool> TwoButtons(const std::string& caption1, const std::string& caption2) = 0;
    // The text-line dialog; `insertAllowed` is false while a program is recorded.
    // @return the button and the typed text, or nothing on Abort.
    virtual std::optional<TextLineAnswer> TextLine(bool insertAllowed) = 0;
    // The system settings `TSys`, preset with `current`. @return the choice made with OK, or
    // nothing on Cancel.
    virtual std::optional<SystemChoice> SystemSettings(const SystemChoice& current) = 0;
    // The angle chooser `Tselect_winkel` with its four candidate angles in degrees; `label` names
    // them on the buttons ("Winkel 1 = 30.000°"). @return the choice 1..4, or nothing on Cancel.
    virtual std::optional<int> ChooseAngle(const std::array<long double, 4>& candidates, const std::string& label) = 0;
    // A chooser dialog by its name (`Tsel_abstand`, `Tselect_ksys`, `Tmerkmalsnamen`); `choices`
    // are its entries in order. @return the number of the choice as the dialog counts it, or
    // nothing on Cancel or when nothing is selected.
    virtual std::optional<int> Choose(const std::string& dialog, const std::vector<std::string>& choices) = 0;
    // An open or save dialog. @return the chosen file name, or nothing on Cancel.
    virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;
    // The feature dialog `Tmrk_set`, pre-filled: the operator edits its fields and pages and
    // presses OK (FeatureDialog::Ok, which may keep it open) or Cancel.
    // @retval true closed with OK. @retval false cancelled.
    virtual bool ShowFeatureDialog(FeatureDialog& dialog) = 0;
    // The dialog of the geometric tolerances, pre-filled: the operator chooses the kind, edits the
    // fields and presses OK (GeoToleranceDialog::Ok, which may keep it open) or Cancel.
    // @retval true closed with OK. @retval false cancelled (also where there is no such dialog).
    virtual bool ShowGeoToleranceDialog(GeoToleranceDialog& dialog) {
        (void)dialog;
        return false;
    }
    // The header-data dialog `TheadData`, its inputs filled: the operator edits them and closes
    // it with "OK", "OK + speichern" or abort.
    virtual HeaderClosing ShowHeaderDialog(HeaderDataDialog& dialog) = 0;
    // The bitmap view `TBMP_View`, its point list filled and shown: the operator draws, clicks
    // "Fläche" and into the polygon, and closes it. @retval true closed with OK after an area was
    // measured (the view holds it). @retval false cancelled or closed without an area.
    virtual bool ShowBitmapView(BitmapView& view) = 0;
    // The converter's presets dialog `Tsetting_gxx`, pre-filled: what its check boxes and radio
    // groups change takes effect at once. @retval true closed with OK (ConverterPresetsDialog::Ok
    // has taken the fields over). @retval false cancelled.
    virtual bool ShowConverterPresets(ConverterPresetsDialog& dialog) = 0;
    // Keeps the user interface alive (captures arrive) until the point memory holds `count`
    // points or the operator aborts with Esc. `method` names the illustration shown meanwhile.
    // @retval true enough points. @retval false aborted; the points taken so far stay.
    virtual bool WaitForPoints(int count, int method) = 0;
    // The system's default beep (every capture).
    virtual void Beep() = 0;
};

}  // namespace tarvo
