// The Operator of the desktop program: modal Qt dialogs centred on the screen, message boxes
// with the system's icons and buttons, and the wait for points as a nested event loop.
#pragma once

#include <QWidget>
#include <memory>

#include "shell/operator.h"

namespace tarvo {

class MainWindow;
class TEingabe;
class TAuswahl;
class Ttext_zeile;
class TSys;
class Twait_window;
class TListChooser;
class Tselect_winkel;
class Tsel_abstand;
class Tmrk_set;
class Tform_lage;
class Tmethode;
class TheadData;
class TBMP_View;
class Tsetting_gxx;

class QtOperator final : public Operator {
public:
    QtOperator();
    ~QtOperator() override;
    // The window the dialogs belong to (it owns them, as Qt children) and the model whose
    // points a wait watches.
    void Attach(QWidget* window, MainWindow* model);

    void ShowInfo(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool Ask(const std::string& text, Buttons buttons) override;
    std::optional<std::string> Input(const std::string& title, const std::string& preset) override;
    std::optional<bool> TwoButtons(const std::string& caption1, const std::string& caption2) override;
    std::optional<TextLineAnswer> TextLine(bool insertAllowed) override;
    std::optional<SystemChoice> SystemSettings(const SystemChoice& current) override;
    std::optional<int> ChooseAngle(const std::array<long double, 4>& candidates, const std::string& label) override;
    std::optional<int> Choose(const std::string& dialog, const std::vector<std::string>& choices) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool ShowFeatureDialog(FeatureDialog& dialog) override;
    bool ShowGeoToleranceDialog(GeoToleranceDialog& dialog) override;
    HeaderClosing ShowHeaderDialog(HeaderDataDialog& dialog) override;
    bool ShowBitmapView(BitmapView& view) override;
    bool ShowConverterPresets(ConverterPresetsDialog& dialog) override;
    bool WaitForPoints(int count, int method) override;
    void Beep() override;

private:
    [[nodiscard]] std::string Tr(const std::string& text) const;
    QWidget* m_window = nullptr;
    MainWindow* m_model = nullptr;
    TEingabe* m_eingabe = nullptr;
    TAuswahl* m_auswahl = nullptr;
    Ttext_zeile* m_textzeile = nullptr;
    TSys* m_sys = nullptr;
    Tselect_winkel* m_winkel = nullptr;
    TListChooser* m_ksys = nullptr;
    TListChooser* m_namen = nullptr;
    Tsel_abstand* m_abstand = nullptr;
    Tmrk_set* m_merkmal = nullptr;
    Tform_lage* m_formLage = nullptr;
    Tmethode* m_methode = nullptr;
    TheadData* m_headData = nullptr;
    TBMP_View* m_bmpView = nullptr;
    Tsetting_gxx* m_settingGxx = nullptr;
};

}  // namespace tarvo
