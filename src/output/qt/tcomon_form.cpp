#include "output/qt/tcomon_form.h"

#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvo {

Tcomon_form::Tcomon_form(const QString& folder, QWidget* parent) : QDialog(parent), pic(new QLabel(this)) {
    setObjectName("Tcomon_form");
    setWindowTitle("comon_form");
    pic->setObjectName("pic");
    pic->setFixedSize(320, 240);
    pic->setScaledContents(true);
    auto* ok = new QPushButton("OK", this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pic);
    layout->addWidget(ok);
    const QPixmap logo(QDir(folder).filePath("LOGO.BMP"));
    if (!logo.isNull()) {
        pic->setPixmap(logo);
        m_hasLogo = true;
        setWindowTitle(windowTitle() + " [ LOGO.BMP ]");
    }
}

}  // namespace tarvo
