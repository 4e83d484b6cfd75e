#include "views/qt/tmethode.h"

#include <QKeyEvent>
#include <QVBoxLayout>

namespace tarvo {

namespace {
const char* const kMethods[] = {"",
                                "Kreis",
                                "Abstand zweier Punkte",
                                "Winkel",
                                "Abstand Gerade - Punkt",
                                "Symetriegerade",
                                "Gerade",
                                "Ausrichten: zwei Geraden",
                                "Ausrichten: eine Gerade",
                                "Ausrichten: Punkt - Gerade",
                                "Schnittpunkte Kreis - Gerade",
                                "Schnittpunkte Kreis - Kreis"};
}  // namespace

Tmethode::Tmethode(QWidget* parent) : QDialog(parent), m_text(new QLabel(this)) {
    setObjectName("Tmethode");
    setWindowTitle("Methode");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    resize(320, 120);
}

void Tmethode::ShowMethod(int method, int needed) {
    const QString name = method >= 1 && method <= 11 ? QString::fromUtf8(kMethods[method]) : QString();
    m_text->setText(QString("%1\n%2 Punkte aufnehmen\n<ESC>=Abbruch").arg(name).arg(needed));
    show();
}

void Tmethode::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && OnEscape) {
        OnEscape();
        return;
    }
    QDialog::keyPressEvent(e);
}

}  // namespace tarvo
