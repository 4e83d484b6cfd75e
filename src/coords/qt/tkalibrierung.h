// `Tkalibrierung` ("Maschine kalibrieren"): the guided calibration against a standard. The
// operator chooses the standard, types or loads its certified values, probes the points the
// window names (Space or the foot switch, as in measuring), reads the errors found and the
// residuals, and saves after a question. The logic is the main-window model's; this window only
// forwards and shows.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/signal.h"

namespace tarvo {

class MainWindow;

// The sketch of the standard on the table and the point to probe next.
class CalibrationSketch final : public QWidget {
public:
    explicit CalibrationSketch(QWidget* parent = nullptr);
    void Set(int kind, int axis, int edge, int captured, int wanted);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int m_kind = 0;
    int m_axis = 0;
    int m_edge = 0;
    int m_captured = 0;
    int m_wanted = 2;
};

class Tkalibrierung final : public QDialog {
public:
    explicit Tkalibrierung(MainWindow& model, QWidget* parent = nullptr);
    // Shows what the model holds now.
    void Render();

    QComboBox* Verfahren;  // the kind of standard
    QComboBox* Achse;
    QLineEdit* Sollwerte;  // the certified length, the marks' positions or the reference angle
    QPushButton* Zertifikat;
    QPushButton* Beginnen;
    QPushButton* Antasten;
    QPushButton* NaechsteKante;
    QPushButton* Berechnen;
    QPushButton* Speichern;
    QPushButton* Schliessen;
    QLineEdit* Bediener;
    QLineEdit* Normal;
    QLineEdit* ZertifikatNr;
    QLineEdit* Temperatur;
    QLabel* Hinweis;  // what to do next
    QPlainTextEdit* Ergebnis;
    CalibrationSketch* Skizze;

private:
    void Start();
    void LoadCertificate();
    void Save();
    MainWindow& m_m;
    Slot<> m_changed{[this] {
        if (isVisible()) {
            Render();
        }
    }};
};

}  // namespace tarvo
