#include "app/qt/qtoperator.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>

#include "app/mainwindow.h"
#include "base/cp1252.h"
#include "base/text.h"
#include "data/qt/tmrk_set.h"
#include "elements/qt/tsel_abstand.h"
#include "geometry/anglechoice.h"
#include "geometry/qt/tselect_winkel.h"
#include "output/qt/theaddata.h"
#include "output/qt/tsetting_gxx.h"
#include "programs/qt/tform_lage.h"
#include "shell/qt/dialogs.h"
#include "shell/qt/qtext.h"
#include "views/qt/tbmp_view.h"
#include "views/qt/tmethode.h"

namespace tarvo {

QtOperator::QtOperator() = default;
QtOperator::~QtOperator() = default;

void QtOperator::Attach(QWidget* window, MainWindow* model) {
    m_window = window;
    m_model = model;
    // In the order the program creates its windows at start.
    m_headData = new TheadData(window);
    m_merkmal = new Tmrk_set(window);
    m_formLage = new Tform_lage(window);
    m_winkel = new Tselect_winkel(window);
    m_textzeile = new Ttext_zeile(window);
    m_ksys = new TListChooser("Tselect_ksys", "Koordinatensystem", window);
    m_eingabe = new TEingabe(window);
    m_auswahl = new TAuswahl(window);
    m_methode = new Tmethode(window);
    m_sys = new TSys(window);
    m_namen = new TListChooser("Tmerkmalsnamen", "Merkmalsauswahl", window);
    m_abstand = new Tsel_abstand(window);
    m_bmpView = new TBMP_View(window);
    m_settingGxx = new Tsetting_gxx(window);
    new Twait_window(window);  // created at start like every window
    m_methode->OnEscape = [this] {
        if (m_model != nullptr) {
            m_model->FormKeyPress(27);
        }
    };
}

void QtOperator::ShowInfo(const std::string& text) {
    QMessageBox box(QMessageBox::Information, "Info", Q(Tr(text)), QMessageBox::Ok, m_window);
    box.exec();
}

void QtOperator::ShowError(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, "TARVO", Q(Tr(text)), QMessageBox::Ok, m_window);
    box.exec();
}

bool QtOperator::Ask(const std::string& text, Buttons buttons) {
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(QMessageBox::Question, "TARVO", Q(Tr(text)),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok | QMessageBox::Cancel, m_window);
    // A question with Yes and No asks before something is ended or reset ("Lernbetrieb
    // abbrechen ?"): Enter, pressed out of habit, answers No.
    if (yesNo) {
        box.setDefaultButton(QMessageBox::No);
    }
    const int r = box.exec();
    return r == QMessageBox::Yes || r == QMessageBox::Ok;
}

std::optional<std::string> QtOperator::Input(const std::string& title, const std::string& preset) {
    const auto text = m_eingabe->Ask(Q(Tr(title)), Q(preset));
    if (!text) {
        return std::nullopt;
    }
    return A(*text);
}

std::optional<bool> QtOperator::TwoButtons(const std::string& caption1, const std::string& caption2) {
    return m_auswahl->Choose(Q(Tr(caption1)), Q(Tr(caption2)));
}

std::optional<TextLineAnswer> QtOperator::TextLine(bool insertAllowed) {
    const auto a = m_textzeile->Ask(insertAllowed);
    if (!a) {
        return std::nullopt;
    }
    return TextLineAnswer{a->first, A(a->second)};
}

std::optional<SystemChoice> QtOperator::SystemSettings(const SystemChoice& current) { return m_sys->Ask(current); }

std::optional<int> QtOperator::ChooseAngle(const std::array<long double, 4>& candidates, const std::string& label) {
    return m_winkel->Choose(AngleChoice({candidates[0], candidates[1], candidates[2], candidates[3]}), Q(label));
}

std::optional<int> QtOperator::Choose(const std::string& dialog, const std::vector<std::string>& choices) {
    QStringList items;
    for (const auto& c : choices) {
        items << Q(Tr(c));
    }
    if (dialog == "Tsel_abstand") {
        return m_abstand->Choose();
    }
    TListChooser* chooser = dialog == "Tselect_ksys" ? m_ksys : m_namen;
    chooser->hintText = Q(Tr(Ansi("Bitte einen Eintrag wählen")));
    chooser->emptyText = Q(Tr(Ansi("Keine Einträge vorhanden")));
    if (dialog == "Tselect_ksys") {
        return m_ksys->Choose(items);
    }
    const auto row = m_namen->Choose(items, items.isEmpty() ? -1 : 0);
    if (!row) {
        return std::nullopt;
    }
    return *row + 1;
}

std::optional<std::string> QtOperator::ChooseFile(const FileDialogRequest& request) {
    // The folder the dialog opens in must exist: a missing one would be taken as the name of
    // the file. A save dialog makes it ("prg" on the first save); an open dialog opens in the
    // working folder instead.
    QString folder = request.initialDir.empty() ? QString(".") : Q(request.initialDir);
    if (!QDir(folder).exists() && !(request.save && QDir().mkpath(folder))) {
        folder = ".";
    }
    QFileDialog dialog(m_window, QString(), QDir(folder).absolutePath());
    // The filters' names in the loaded language; the patterns as they are.
    std::string filter;
    std::size_t start = 0;
    for (bool name = true;; name = !name) {
        const std::size_t bar = request.filter.find('|', start);
        const std::string part = request.filter.substr(start, bar == std::string::npos ? bar : bar - start);
        filter += name ? Tr(part) : part;
        if (bar == std::string::npos) {
            break;
        }
        filter += '|';
        start = bar + 1;
    }
    dialog.setNameFilters(DialogFilters(filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setDefaultSuffix(Q(request.defaultExt));
    if (!request.save) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!request.defaultName.empty()) {
        dialog.selectFile(Q(request.defaultName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return A(dialog.selectedFiles().first());
}

bool QtOperator::ShowFeatureDialog(FeatureDialog& dialog) { return m_merkmal->Run(dialog); }
bool QtOperator::ShowGeoToleranceDialog(GeoToleranceDialog& dialog) { return m_formLage->Run(dialog); }

HeaderClosing QtOperator::ShowHeaderDialog(HeaderDataDialog& dialog) { return m_headData->Run(dialog); }

bool QtOperator::ShowBitmapView(BitmapView& view) {
    m_bmpView->Translate = [this](const std::string& text) { return Tr(text); };
    return m_bmpView->Run(view);
}

// What the core composes in German, in the loaded language.
std::string QtOperator::Tr(const std::string& text) const {
    return m_model != nullptr ? m_model->texts().Translate(text) : text;
}

bool QtOperator::ShowConverterPresets(ConverterPresetsDialog& dialog) { return m_settingGxx->Run(dialog); }

bool QtOperator::WaitForPoints(int count, int method) {
    if (m_model == nullptr) {
        return false;
    }
    m_methode->ShowMethod(method);
    if (m_window != nullptr) {
        m_window->activateWindow();
    }
    const RunState& run = m_model->session().run;
    const auto done = [&] { return m_model->PointCount() >= count || run.AbortRequested != 0 || m_model->Closed(); };
    // The loop ends when the model reports a change that ends the wait: a capture, Esc, closing.
    QEventLoop loop;
    Slot<> changed([&] {
        if (done()) {
            loop.quit();
        }
    });
    m_model->Changed.Attach(changed);
    if (!done()) {
        loop.exec();
    }
    m_methode->hide();
    return m_model->PointCount() >= count && run.AbortRequested == 0;
}

void QtOperator::Beep() { QApplication::beep(); }

}  // namespace tarvo
