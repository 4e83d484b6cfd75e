// The statistics window `Tstatistik`: a program and one of its features from the results
// journal, over a date range and stations; the run chart, the individuals and moving-range
// control charts and the histogram (drawn with the report's chart code through a QPainter),
// the figures beside them; the same as a printed report, a PDF file or a CSV file.
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "output/statisticsreport.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tarvo {

class JournalStore;
class ReportCanvas;
class UiTexts;

// The four charts of a `StatisticsContent`, two by two.
class StatisticsCharts final : public QWidget {
public:
    explicit StatisticsCharts(QWidget* parent);
    void SetContent(const StatisticsContent* content);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const StatisticsContent* m_content = nullptr;
};

class Tstatistik final : public QDialog {
public:
    // Prints a drawing through the print preview (the main window's). `store` may be none.
    using PrintFn = std::function<void(const std::function<void(ReportCanvas&)>&)>;
    Tstatistik(JournalStore* store, const UiTexts& texts, PrintFn print, QWidget* parent);

    // Reads the programs anew (the window comes up).
    void Render();
    // Computes and shows the choice of the fields.
    void Show();
    // The report as a PDF file, the values and figures as a CSV file. @retval false not written
    // (the reason is shown).
    bool SavePdf(const QString& file);
    bool SaveCsv(const QString& file);
    [[nodiscard]] const StatisticsContent& Content() const noexcept { return m_content; }

    QComboBox* Programm;
    QComboBox* Merkmal;
    QLineEdit* Von;
    QLineEdit* Bis;
    QLineEdit* Stationen;
    QPushButton* Anzeigen;
    QPushButton* Drucken;
    QPushButton* AlsPdf;
    QPushButton* AlsCsv;
    QTableWidget* Kennzahlen;
    StatisticsCharts* Diagramme;
    QLabel* Hinweis;

private:
    void LoadFeatures();
    // The captions in the loaded language.
    void ShowTexts();
    [[nodiscard]] JournalFilter Filter() const;

    JournalStore* m_store;
    const UiTexts& m_texts;
    PrintFn m_print;
    StatisticsContent m_content;
    std::vector<std::pair<QWidget*, int>> m_captions;  // labels and buttons with their text numbers
};

}  // namespace tarvo
