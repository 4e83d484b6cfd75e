// The dialogs on the offscreen platform: their own keys and focus, what they show, how they
// close; the wait window's colours.
#include "shell/qt/dialogs.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/qt/qtoperator.h"
#include "app/qt/tmain.h"
#include "base/cp1252.h"
#include "base/text.h"
#include "data/pointmemory.h"
#include "data/qt/tmrk_set.h"
#include "data/resultcommands.h"
#include "data/resultline.h"
#include "geometry/qt/tselect_winkel.h"
#include "gui/fixtures.h"
#include "output/qt/printercanvas.h"
#include "output/qt/tcomon_form.h"
#include "output/qt/tdxf_gxx_main.h"
#include "output/qt/theaddata.h"
#include "output/report.h"
#include "programs/programfile.h"
#include "programs/qt/tform_lage.h"
#include "readout/simulatedreadout.h"
#include "shell/qt/qtimerdriver.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"
#include "views/bitmapview.h"
#include "views/elementgraphic.h"
#include "views/methodsketch.h"
#include "views/pngwriter.h"
#include "views/qt/tbmp_view.h"
#include "views/qt/telement_grafik.h"
#include "views/qt/tmethode.h"

namespace tarvo {
namespace {

TEST(Dialogs, AngleChooserDigitKeysAndTheInputDialogComma) {
    Tselect_winkel chooser;
    QTimer::singleShot(0, [&chooser] { QTest::keyClick(&chooser, Qt::Key_3); });
    EXPECT_EQ(chooser.Choose(AngleChoice({Real(30), Real(330), Real(60), Real(150)})), 3);
    QTimer::singleShot(0, [&chooser] { chooser.reject(); });
    EXPECT_EQ(chooser.Choose(AngleChoice({Real(30), Real(330), Real(60), Real(150)})), std::nullopt);
    const QImage sketch = Tselect_winkel::Sketch(AngleChoice({Real(90), Real(180), Real(0), Real(0)}));
    EXPECT_EQ(sketch.size(), QSize(466, 231));
    EXPECT_EQ(sketch.pixelColor(140, 110), QColor(128, 128, 128));  // inside the first quarter sector
    EXPECT_EQ(sketch.pixelColor(110, 140), QColor(Qt::white));      // below it: not filled

    TEingabe input;
    QTimer::singleShot(0, [&input] {
        QTest::keyClicks(input.Edit1, "12,5");
        input.accept();
    });
    EXPECT_EQ(input.Ask("Versatz X", "0"), QString("12,5"));
}

TEST(Dialogs, FeatureDialogKeepsItselfOpenOnItsMessages) {
    FeatureForm f;
    test::ScriptedOperator& op = f.op;
    FeatureDef& def = f.def;
    FeatureDialog& logic = f.logic;
    Tmrk_set& form = f.form;
    op.ExpectError();
    QTimer::singleShot(0, [&form] {
        auto* name = form.findChild<QLineEdit*>("Name");
        name->setText("Bohrung");
        form.findChild<QLineEdit*>("OT")->setText("-1");
        form.findChild<QLineEdit*>("UT")->setText("1");
        auto* ok = form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ok->click();  // " OT <= UT ": stays open
        form.findChild<QLineEdit*>("OT")->setText("1");
        form.findChild<QLineEdit*>("UT")->setText("-1");
        ok->click();
    });
    EXPECT_TRUE(form.Run(logic));
    EXPECT_EQ(def.Name, "Bohrung");
    EXPECT_EQ(op.shown.front(), "error:  OT <= UT ");
}

TEST(Dialogs, FeatureDialogKeysMoveBetweenFields) {
    FeatureForm f;
    FeatureDialog& logic = f.logic;
    Tmrk_set& form = f.form;
    FeatureDialog::Field afterRight = FeatureDialog::kName;
    FeatureDialog::Field afterDown = FeatureDialog::kName;
    QTimer::singleShot(0, [&] {
        QTest::keyClick(form.findChild<QLineEdit*>("Name"), Qt::Key_Right);
        afterRight = logic.Focus();
        QTest::keyClick(form.findChild<QLineEdit*>("Nennwert"), Qt::Key_Down);
        afterDown = logic.Focus();
        form.reject();
    });
    EXPECT_FALSE(form.Run(logic));
    EXPECT_EQ(afterRight, FeatureDialog::kNennwert);
    EXPECT_EQ(afterDown, FeatureDialog::kOT);
}

TEST(Dialogs, FeatureDialogLetsTabAndClicksLeaveNennwert) {
    FeatureForm f;
    FeatureDialog& logic = f.logic;
    Tmrk_set& form = f.form;
    QWidget* afterTab = nullptr;
    QWidget* afterClick = nullptr;
    QTimer::singleShot(0, [&] {
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        auto* nennwert = form.findChild<QLineEdit*>("Nennwert");
        nennwert->setFocus();
        QTest::keyClick(nennwert, Qt::Key_Tab);
        afterTab = QApplication::focusWidget();
        nennwert->setFocus();
        QTest::mouseClick(form.findChild<QLineEdit*>("UT"), Qt::LeftButton);
        afterClick = QApplication::focusWidget();
        form.reject();
    });
    EXPECT_FALSE(form.Run(logic));
    EXPECT_EQ(afterTab, form.findChild<QLineEdit*>("OT"));
    EXPECT_EQ(afterClick, form.findChild<QLineEdit*>("UT"));
}

// Whatever page was used last, the dialog opens with the focus on the name; Tab goes from the
// name through the fields, not through the tab bar; F4 opens the names; no tab is cut.
TEST(Dialogs, FeatureDialogOpensOnTheNameAndTabsThroughItsFields) {
    FeatureForm f;
    f.logic.SetPage(FeatureDialog::kAttributiv);
    QTimer::singleShot(0, [&] { f.form.reject(); });
    EXPECT_FALSE(f.form.Run(f.logic));
    f.logic.Prefill();
    std::vector<QString> focus;
    bool tabsWhole = false;
    f.op.ExpectChoose("cancel");
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.form));
        focus.push_back(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        focus.push_back(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        focus.push_back(QApplication::focusWidget()->objectName());
        QTest::keyClick(f.form.findChild<QLineEdit*>("Name"), Qt::Key_F4);
        auto* bar = f.form.findChild<QTabBar*>();
        tabsWhole = bar->tabRect(2).width() > bar->fontMetrics().horizontalAdvance("Attributiv");
        f.form.reject();
    });
    EXPECT_FALSE(f.form.Run(f.logic));
    EXPECT_EQ(focus, (std::vector<QString>{"Name", "NameChooser", "Nennwert"}));
    EXPECT_EQ(f.op.shown.back(), "choose: Tmerkmalsnamen");
    EXPECT_TRUE(tabsWhole);
}

// Enter goes from field to field; in the page's last field it is OK, as the drawn default.
TEST(Dialogs, EnterInTheLastFieldClosesTheFeatureDialogWithOk) {
    FeatureForm f;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.form));
        f.form.findChild<QLineEdit*>("Name")->setText("Bohrung");
        f.form.findChild<QLineEdit*>("Nennwert")->setText("10");
        f.form.findChild<QLineEdit*>("OT")->setText("0.1");
        f.form.findChild<QLineEdit*>("UT")->setText("-0.1");
        auto* factor = f.form.findChild<QLineEdit*>("Faktor");
        factor->setFocus();
        QTest::keyClick(factor, Qt::Key_Return);
        if (f.form.isVisible()) {
            f.form.reject();  // Enter did not close it
        }
    });
    EXPECT_TRUE(f.form.Run(f.logic));
    EXPECT_EQ(f.def.Name, "Bohrung");
}

// The geometric-tolerance dialog: its kind's fields only, the feature dialog's keys, its refusal
// keeping it open, Enter in the last field as OK.
TEST(Dialogs, GeoToleranceDialogTakesItsKindsFieldsWithTheFeatureDialogsKeys) {
    const test::TempDir dir;
    test::ScriptedOperator op;
    const UiTexts texts;
    GeoToleranceDef def;
    GeoToleranceDialog logic(def, op, texts, 3, dir.work(), false);
    logic.Prefill();
    Tform_lage form;
    op.ExpectError();  // a zone of 0
    GeoToleranceDialog::Field afterRight = GeoToleranceDialog::kName;
    bool angleHidden = false;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.findChild<QTabBar*>("Kinds")->setCurrentIndex(3);  // Parallelität
        auto* name = form.findChild<QLineEdit*>("Name");
        name->setText("Kante");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Right);
        afterRight = logic.Focus();
        angleHidden = !form.findChild<QLineEdit*>("Winkel")->isVisibleTo(&form);
        form.findChild<QLineEdit*>("Bezug")->setText("4");
        auto* zone = form.findChild<QLineEdit*>("Zone");
        zone->setText("0");
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_Return);  // the zone refused: stays open
        zone->setText("0.05");
        zone->setFocus();
        QTest::keyClick(zone, Qt::Key_Return);
        if (form.isVisible()) {
            form.reject();
        }
    });
    EXPECT_TRUE(form.Run(logic));
    EXPECT_EQ(afterRight, GeoToleranceDialog::kDatum);
    EXPECT_TRUE(angleHidden);
    EXPECT_EQ(def.kind, GeoKind::Parallelism);
    EXPECT_EQ(def.name, "Kante");
    EXPECT_EQ(def.datum, 3);
    EXPECT_NEAR(static_cast<double>(def.zone.value()), 0.05, 1e-9);
    ASSERT_FALSE(op.shown.empty());
    EXPECT_NE(op.shown.front().find(Ansi("größer als 0")), std::string::npos) << op.shown.front();
}

TEST(Dialogs, AListChooserIgnoresOkWithoutASelection) {
    TListChooser chooser("Tselect_ksys", "Koordinatensystem");
    bool stayedOpen = false;
    QString said;
    QTimer::singleShot(0, [&] {
        chooser.lb1->setFocus();  // the list's current row becomes 0, but nothing is selected
        auto* ok = chooser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ok->click();
        stayedOpen = chooser.isVisible();
        said = chooser.findChild<QLabel*>("Hint")->text();
        QTest::keyClick(chooser.lb1, Qt::Key_Return);
        stayedOpen = stayedOpen && chooser.isVisible();
        chooser.lb1->setCurrentRow(2);
        ok->click();
    });
    EXPECT_EQ(chooser.Choose({"Zurücksetzen", "Versatz X", "Versatz Y"}), 2);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(said, "Bitte einen Eintrag wählen");  // said, not silent
    QTimer::singleShot(0, [&] { chooser.reject(); });
    EXPECT_EQ(chooser.Choose({"a"}), std::nullopt);
    // An empty list says so at once.
    QTimer::singleShot(0, [&] {
        said = chooser.findChild<QLabel*>("Hint")->text();
        chooser.reject();
    });
    EXPECT_EQ(chooser.Choose({}), std::nullopt);
    EXPECT_EQ(said, "Keine Einträge vorhanden");
}

// The program dialogs open in "prg" of the working folder; a save dialog makes the folder when
// it is missing, so the folder's name is never taken as the file's.
// Every filter the program's file dialogs use reads "Name (patterns)", in both cases.
TEST(Dialogs, EveryFileDialogFilterIsWellFormed) {
    const QRegularExpression wellFormed(R"(^[^()|]+ \((\*(\.[A-Za-z]+)?)( \*(\.[A-Za-z]+)?)*\)$)");
    for (const std::string& f :
         {std::string(ProgramDialog(false).filter), std::string(ProgramDialog(true).filter), std::string(kMemoryFilter),
          std::string("Kopfdaten|*.HED|Alle Dateien|*.*"), std::string("Kopfdaten|*.HED"),
          std::string("ASCII-Punktdateien|*.PNT"), std::string("DXF Dateien|*.DXF"),
          std::string("Punktdateien|*.PNT|Alle Dateien|*.*"), std::string()}) {
        const QStringList filters = DialogFilters(f);
        EXPECT_FALSE(filters.isEmpty()) << f;
        for (const QString& one : filters) {
            EXPECT_TRUE(wellFormed.match(one).hasMatch()) << f << " -> " << one.toStdString();
        }
    }
    EXPECT_EQ(DialogFilters("Kopfdaten|*.HED|Alle Dateien|*.*"),
              (QStringList{"Kopfdaten (*.HED *.hed)", "Alle Dateien (*)"}));
}

// The program dialogs open in "prg" of the working folder; a save dialog makes the folder when
// it is missing, so the folder's name is never taken as the file's.
TEST(Dialogs, ProgramDialogsOpenInThePrgFolder) {
    RealProgram p;
    Tmain window(p.model);
    p.op.Attach(&window, &p.model);
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(p.dir.work().string()));
    QString opened;
    const auto look = [&opened] {
        QTimer::singleShot(0, [&opened] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
    };
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        opened = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->reject();
    });
    EXPECT_EQ(p.op.ChooseFile(ProgramDialog(false)), std::nullopt);  // no "prg" yet: the working folder
    EXPECT_EQ(opened, QDir::currentPath());
    EXPECT_EQ(filters, QStringList{"TARVO-Programm (*.prg *.PRG)"});
    look();
    EXPECT_EQ(p.op.ChooseFile(ProgramDialog(true)), std::nullopt);
    EXPECT_EQ(opened, QDir::currentPath() + "/prg");
    EXPECT_TRUE(QDir("prg").exists());
    QDir::setCurrent(before);
}

TEST(Dialogs, TheHeaderDataDialogShowsItsLabelsAndClosesThreeWays) {
    ReportHeaderData header;
    header.labels[0] = "Auftrag";
    header.labels[1] = "   ";  // hidden input
    TheadData form;
    HeaderDataDialog d(header);
    d.inputs[0] = "A-4711";
    QWidget* afterDown = nullptr;
    QTimer::singleShot(0, [&] {
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        EXPECT_EQ(form.labels[0]->text(), "Auftrag");
        EXPECT_FALSE(form.edits[1]->isVisible());
        form.edits[0]->setFocus();
        form.edits[0]->setText("B-0815");
        QTest::keyClick(form.edits[0], Qt::Key_Down);  // the hidden second input is skipped
        afterDown = QApplication::focusWidget();
        form.findChild<QPushButton*>("BitBtn3")->click();  // OK + speichern
    });
    EXPECT_EQ(form.Run(d), HeaderClosing::OkSave);
    EXPECT_EQ(afterDown, form.edits[2]);
    EXPECT_EQ(d.inputs[0], "B-0815");
    QTimer::singleShot(0, [&] { form.reject(); });
    EXPECT_EQ(form.Run(d), HeaderClosing::Abort);
}

TEST(Dialogs, TheLogoFormCarriesTheLogoOfTheWorkingFolder) {
    const test::TempDir dir;
    const QString folder = QString::fromStdString(dir.work().string());
    EXPECT_FALSE(Tcomon_form(folder).HasLogo());
    QImage logo(64, 48, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(QDir(folder).filePath("LOGO.BMP"), "BMP"));
    Tcomon_form form(folder);
    EXPECT_TRUE(form.HasLogo());
    EXPECT_EQ(form.windowTitle(), "comon_form [ LOGO.BMP ]");
}

TEST(WaitWindow, AlternatesItsColourOnlyWhileVisible) {
    Twait_window wait;
    EXPECT_FALSE(wait.Timer1->isActive());
    wait.show();
    EXPECT_TRUE(wait.Timer1->isActive());
    const QString before = wait.Label1->styleSheet();
    QTest::qWait(1100);  // one tick of its second
    EXPECT_NE(wait.Label1->styleSheet(), before);
    wait.hide();
    EXPECT_FALSE(wait.Timer1->isActive());
}

}  // namespace
}  // namespace tarvo
