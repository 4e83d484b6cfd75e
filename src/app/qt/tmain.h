// The main window `Tmain`: renders the core's main-window model and forwards every widget event
// to it, and shows the model again whenever it reports a change. The window sees every key
// before the focused control.
#pragma once

#include <QAbstractListModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QPrinter>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "output/reportcanvas.h"
#include "shell/signal.h"

namespace tarvo {

class TElement_grafik;
class Tdxf_gxx_main;
class Tkalibrierung;
class Tstatistik;

class MainWindow;
struct Command;

// The result list as a model: 100 000 lines are rows read on demand, not widget items.
class ResultListModel final : public QAbstractListModel {
public:
    explicit ResultListModel(MainWindow& m) : m_m(m) {}
    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    void Reload() {
        beginResetModel();
        endResetModel();
    }

private:
    MainWindow& m_m;
};

class Tmain final : public QMainWindow {
public:
    explicit Tmain(MainWindow& model, QWidget* parent = nullptr);
    ~Tmain() override;
    // Shows what the model holds now.
    void Render();
    [[nodiscard]] QToolButton* Button(const QString& name) const { return m_buttons.at(name); }
    [[nodiscard]] TElement_grafik* ElementGraphicWindow() const noexcept { return m_grafik; }
    [[nodiscard]] Tdxf_gxx_main* ConverterWindow() const noexcept { return m_converter; }
    [[nodiscard]] Tkalibrierung* CalibrationWindow() const noexcept { return m_kalibrierung; }
    [[nodiscard]] Tstatistik* StatisticsWindow() const noexcept { return m_statistik; }
    // `tarvo --save-language-files DIR`: the texts of the main window (with its two text lists)
    // and of every window that loads a language file, as SaveStrings writes them. Throws
    // std::runtime_error when a file cannot be written.
    void SaveLanguageFiles(const std::filesystem::path& dir);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QTranslator m_qtTexts;  // Qt's own texts in the chosen language
    void Do(const std::function<void()>& handler);
    void ScheduleRender();
    // A button of the command table; its clicks run `run`.
    QToolButton* AddButton(const Command& command, const QString& caption, const std::function<void()>& run);
    void PrinterSetup();
    // The printer of a report: the system's print dialog, or a PDF file when none is installed.
    std::unique_ptr<ReportCanvas> ChoosePrinter();
    std::optional<std::string> PreviewAndPrint(const std::function<void(ReportCanvas&)>& draw);
    bool KeyPreview(QKeyEvent* e);

    MainWindow& m_m;
    ResultListModel m_results;
    std::uint64_t m_resultsVersion = ~0ULL;
    QLabel* LV1;
    QLabel* LV2;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* lb1_label;
    QListView* lb1;
    QListWidget* ListBox1;
    QLineEdit* FX;
    QLineEdit* FY;
    std::array<QLabel*, 3> m_panels{};
    QLabel* m_calibrationPanel = nullptr;  // the machine calibration's date and due date
    QLabel* m_journalLabel = nullptr;      // what the results journal said last
    QLabel* m_referenceLabel = nullptr;    // the reference elements when not the program's own
    std::map<QString, QToolButton*> m_buttons;
    QPrinter m_printer{QPrinter::HighResolution};
    bool m_rendering = false;
    bool m_renderPending = false;
    std::uint64_t m_focusApplied = 0;
    // The model reports every change; the window shows it on the next pass of the event loop.
    Slot<> m_changed{[this] { ScheduleRender(); }};
    Slot<> m_printerSetup{[this] { PrinterSetup(); }};
    Slot<> m_referenceChanged{[this] { ScheduleRender(); }};
    TElement_grafik* m_grafik = nullptr;
    Tdxf_gxx_main* m_converter = nullptr;
    void ShowConverter();
    void ApplyLanguage();
    Slot<> m_languageLoaded{[this] { ApplyLanguage(); }};
    Slot<> m_showConverter{[this] { ShowConverter(); }};
    Tkalibrierung* m_kalibrierung = nullptr;
    void ShowCalibration();
    Slot<> m_showCalibration{[this] { ShowCalibration(); }};
    Tstatistik* m_statistik = nullptr;
    void ShowStatistics();
    Slot<> m_showStatistics{[this] { ShowStatistics(); }};
    void ShowGraphic(bool raise);
    Slot<bool> m_showGraphic{[this](bool raise) { ShowGraphic(raise); }};
    // Every button with its command, enabled as the model says.
    std::vector<std::pair<QToolButton*, const Command*>> m_commands;
};

}  // namespace tarvo
