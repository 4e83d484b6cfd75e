// The window's faults found by trying it as an operator, teach-in and replay through the window,
// and the program dialogs.
#include "gui/fixtures.h"
#include "output/qt/tcomon_form.h"
#include "output/qt/theaddata.h"

#include <QProcess>
#include <QTabBar>
#include <QRegularExpression>
#include <QStandardPaths>

#include "data/resultcommands.h"
#include "data/resultline.h"
#include "shell/qt/dialogs.h"
#include "output/pdfcanvas.h"
#include "output/qt/printercanvas.h"
#include "output/report.h"

namespace tarvo {
namespace {

// The focus goes to the point list once per capture: afterwards the operator can edit the scale
// fields and work in the result list.
TEST_F(Window, ACaptureFocusesThePointListOnlyOnce) {
    Capture(1, 2);
    QApplication::processEvents();
    EXPECT_TRUE(Child("ListBox1")->hasFocus());
    auto* fx = static_cast<QLineEdit*>(Child("FX"));
    fx->setFocus();
    QTest::keyClick(fx, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(fx, "2");
    QApplication::processEvents();  // renders: the focus stays in FX
    EXPECT_TRUE(fx->hasFocus());
    QTest::keyClick(fx, Qt::Key_Tab);
    EXPECT_EQ(fx->text(), "2.0000");
    EXPECT_EQ(session->acquisition.AxisScale[0].value(), 2.0L);

    m->lb1().Append("  1 Text");
    m->lb1().Append("  2 Text");
    QApplication::processEvents();
    auto* list = static_cast<QListView*>(Child("lb1"));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    QApplication::processEvents();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(m->lb1().Count(), 1);   // the clicked result line went
    EXPECT_EQ(m->PointCount(), 1);    // the point stayed
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
}

TEST(MethodSketches, TheSilverBackgroundFillsTheImageButItsFirstRowAndColumn) {
    const QImage sketch = Tmethode::Draw(0);
    const QColor silver(192, 192, 192);
    EXPECT_EQ(sketch.pixelColor(kSketchWidth - 1, 90), silver);
    EXPECT_EQ(sketch.pixelColor(120, kSketchHeight - 1), silver);
    EXPECT_EQ(sketch.pixelColor(kSketchWidth - 1, kSketchHeight - 1), silver);
    EXPECT_EQ(sketch.pixelColor(0, 90), QColor(Qt::white));
    EXPECT_EQ(sketch.pixelColor(120, 0), QColor(Qt::white));
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// The real operator's wait for points, ended by Escape in the method window: the command stops
// without a result, the captured point stays, and a capture during the wait ends it instead.
TEST(WholeProgram, TheWaitForPointsEndsOnEscapeInTheMethodWindowOrOnEnoughCaptures) {
    RealProgram p;
    Session& session = p.session;
    MainWindow& model = p.model;
    Tmain window(model);
    p.op.Attach(&window, &model);
    window.show();
    session.run.CurrentPos = {1, 1};
    model.FormKeyDown(kKeySpace);
    auto* methode = window.findChild<QDialog*>("Tmethode");
    ASSERT_NE(methode, nullptr);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = methode->isVisible();
        // Escape as the method window receives it when it has the keyboard (the offscreen
        // platform activates no tool window, so the key is delivered to it directly).
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(methode, &press);
    });
    model.SpeedButton1Click();  // waits for three points
    EXPECT_TRUE(shown);
    EXPECT_FALSE(methode->isVisible());
    EXPECT_EQ(model.lb1().Count(), 0);
    EXPECT_EQ(model.PointCount(), 1);
    EXPECT_EQ(session.run.AbortRequested, 0);  // cleared again by the command

    QTimer::singleShot(0, [&] {
        for (const auto& [x, y] : {std::pair{15.0L, 20.0L}, {10.0L, 25.0L}, {5.0L, 20.0L}}) {
            session.run.CurrentPos = {x, y};
            QTest::keyClick(window.findChild<QWidget*>("lb1"), Qt::Key_Space);
        }
    });
    model.SpeedButton23Click();
    model.SpeedButton1Click();
    ASSERT_EQ(model.lb1().Count(), 1);
    EXPECT_EQ(model.lb1().Lines()[0], "  1 Kreis    3 D              10.000      10.000      20.000");
    window.close();
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// Teach-in through the window against the simulated readout: three captures and a circle, saved;
// then the program replayed point by point gives the same result line.
TEST(WholeProgram, TeachesAndReplaysACircleThroughTheWindow) {
    SimulatedProgram p;
    test::ScriptedOperator& op = p.op;
    SimulatedReadout& readout = p.readout;
    MainWindow& model = p.model;
    Tmain window(model);
    model.FormCreate();
    window.show();
    const auto waitFor = WaitFor;
    auto* list = window.findChild<QWidget*>("lb1");
    auto* label1 = window.findChild<QLabel*>("Label1");
    const auto captureAt = [&](long double x, long double y) {
        readout.SetReading(x, y);
        const std::string want = FormatReal(x, 0, 3) + " " + FormatReal(y, 0, 3);
        ASSERT_TRUE(waitFor([&] { return model.LV1 + " " + model.LV2 == want; }));
        QTest::keyClick(list, Qt::Key_Space);
    };
    const std::pair<long double, long double> points[] = {{15, 20}, {10, 25}, {5, 20}};

    op.ExpectAsk(true);
    QTest::mouseClick(window.Button("SpeedButton11"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLabel*>("lb1_label")->styleSheet(), "color: red;");
    EXPECT_FALSE(window.Button("SpeedButton13")->isEnabled());  // no run while teaching in
    for (const auto& [x, y] : points) {
        captureAt(x, y);
    }
    QTest::mouseClick(window.Button("SpeedButton1"), Qt::LeftButton);
    op.ExpectAsk(true);
    op.ExpectFile("kreis");
    QTest::mouseClick(window.Button("SpeedButton12"), Qt::LeftButton);
    EXPECT_EQ(p.dir.Read("prg/kreis.PRG"), "KRMODE:0\r\nWIMODE:0\r\nGETPOINT:\r\nGETPOINT:\r\nGETPOINT:\r\nKreis:\r\n");
    EXPECT_TRUE(window.Button("SpeedButton13")->isEnabled());

    std::string replayed;
    Slot<> keep([&] {
        if (model.lb1().Count() == 1) {
            replayed = model.lb1().Lines()[0];
        }
    });
    model.lb1().Changed.Attach(keep);
    op.ExpectFile("kreis.PRG");
    QTest::mouseClick(window.Button("SpeedButton13"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(label1->isVisible());
    EXPECT_EQ(label1->text(), "3 ");
    EXPECT_FALSE(window.Button("SpeedButton11")->isEnabled());  // no teach-in over a run
    op.ExpectInfo();  // "Wiederholung beendet !"
    for (const auto& [x, y] : points) {
        captureAt(x, y);
    }
    ASSERT_TRUE(waitFor([&] { return model.Runner().Idle(); }));
    EXPECT_EQ(replayed, "  1 Kreis    3 D              10.000      10.000      20.000");
    QApplication::processEvents();
    EXPECT_TRUE(window.Button("SpeedButton11")->isEnabled());
    window.close();
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// The program dialogs open in "prg" of the working folder; a save dialog makes the folder when
// it is missing, so the folder's name is never taken as the file's.
// Every filter the program's file dialogs use reads "Name (patterns)", in both cases.
TEST(Dialogs, EveryFileDialogFilterIsWellFormed) {
    const QRegularExpression wellFormed(R"(^[^()|]+ \((\*(\.[A-Za-z]+)?)( \*(\.[A-Za-z]+)?)*\)$)");
    for (const std::string& f : {std::string(ProgramDialog(false).filter), std::string(ProgramDialog(true).filter),
                                 std::string(kMemoryFilter), std::string("Kopfdaten|*.HED|Alle Dateien|*.*"),
                                 std::string("Kopfdaten|*.HED"), std::string("ASCII-Punktdateien|*.PNT"),
                                 std::string("DXF Dateien|*.DXF"), std::string("Punktdateien|*.PNT|Alle Dateien|*.*"),
                                 std::string()}) {
        const QStringList filters = DialogFilters(f);
        EXPECT_FALSE(filters.isEmpty()) << f;
        for (const QString& one : filters) {
            EXPECT_TRUE(wellFormed.match(one).hasMatch()) << f << " -> " << one.toStdString();
        }
    }
    EXPECT_EQ(DialogFilters("Kopfdaten|*.HED|Alle Dateien|*.*"),
              (QStringList{"Kopfdaten (*.HED *.hed)", "Alle Dateien (*)"}));
}

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

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// The tolerance bar's marker: byte 127 in the list, a visible block on screen.
TEST_F(Window, TheBarMarkerIsShownAsABlock) {
    m->lb1().Append("  1 Bohrung          #1       10.000                        -|-----\x7F-----|-");
    QApplication::processEvents();
    auto* view = static_cast<QListView*>(Child("lb1"));
    const QString shown = view->model()->index(0, 0).data().toString();
    EXPECT_TRUE(shown.endsWith(QString::fromUtf8("-|-----\u25AE-----|-"))) << shown.toStdString();
    EXPECT_EQ(m->lb1().Lines()[0].back(), '-');
    EXPECT_NE(m->lb1().Lines()[0].find('\x7F'), std::string::npos);  // the stored line keeps the byte
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

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

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// The report through Qt's printer, as a PDF file, read back with poppler-utils when present:
// the title, the header fields, every one of 200 result lines and the page count.
TEST(Report, PrintsThroughQtToAPdfFile) {
    SimulatedProgram p;
    p.model.FormCreate();
    for (int i = 1; i <= 200; ++i) {
        p.model.lb1().Append(BuildResultLine(i, "Kreis", " 3 D", 10 + i * 0.001L, i * 0.5L, -i * 0.25L, 3));
    }
    p.session.header.present = true;
    p.session.header.labels[0] = "Auftrag";
    p.session.header.values[0] = "A-4711";
    p.session.header.values[8] = "Meier";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = QString::fromStdString((p.dir.work() / "qt.pdf").string());
    printer.setOutputFileName(file);
    PrinterCanvas canvas(printer);
    EXPECT_NEAR(canvas.PageWidthMm(), 200, 15);  // A4 less the printer's margins
    p.op.ExpectAsk(true);  // "Kopfdaten drucken ?"
    ASSERT_TRUE(PrintReport(p.model.Context(), canvas, ""));
    EXPECT_EQ(p.dir.Read("qt.pdf").substr(0, 5), "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
    if (pdftotext.isEmpty() || pdfinfo.isEmpty()) {
        GTEST_SKIP() << "poppler-utils not installed (scripts/setup.sh installs them)";
    }
    const auto run = [](const QString& program, const QStringList& args) {
        QProcess process;
        process.start(program, args);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString text = run(pdftotext, {"-layout", file, "-"});
    EXPECT_TRUE(text.contains(QString::fromUtf8("TARVO Meßprotokoll")));
    EXPECT_TRUE(text.contains("Auftrag"));
    EXPECT_TRUE(text.contains("A-4711"));
    EXPECT_TRUE(text.contains("Meier"));
    for (int i = 1; i <= 200; ++i) {
        EXPECT_TRUE(text.contains(QString("%1 Kreis").arg(i))) << i;
    }
    // 41 lines on the first page (after the header data), 51 on each further page.
    EXPECT_TRUE(run(pdfinfo, {file}).contains(QRegularExpression("Pages:\\s+5\\n"))) << run(pdfinfo, {file}).toStdString();
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// The PDF report's own BMP reader takes every uncompressed logo the window's Qt draws: palette
// pictures of 1, 4 and 8 bits and 24-bit ones, each pixel as Qt reads it.
TEST(Report, ThePdfReadsEveryLogoQtReads) {
    const test::TempDir dir;
    const auto le = [](std::uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
        }
        return s;
    };
    // 4 bits (Qt writes no such file): 3 x 2 pixels, 16 grey levels, top row 1 2 3, bottom 4 5 6.
    std::string palette;
    for (int i = 0; i < 16; ++i) {
        palette += std::string(3, static_cast<char>(i * 16)) + '\0';
    }
    const std::string rows = std::string("\x45\x60\0\0", 4) + std::string("\x12\x30\0\0", 4);
    const std::string four = "BM" + le(118 + 8, 4) + le(0, 4) + le(118, 4) + le(40, 4) + le(3, 4) + le(2, 4) +
                             le(1, 2) + le(4, 2) + le(0, 4) + le(8, 4) + le(0, 4) + le(0, 4) + le(16, 4) + le(0, 4) +
                             palette + rows;
    dir.Write("four.bmp", four);
    QImage picture(37, 11, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb((x * 7) % 256, (y * 23) % 256, ((x + y) % 2) * 255));
        }
    }
    const QString folder = QString::fromStdString(dir.work().string());
    ASSERT_TRUE(picture.convertToFormat(QImage::Format_Mono).save(folder + "/one.bmp", "BMP"));
    ASSERT_TRUE(picture.convertToFormat(QImage::Format_Indexed8).save(folder + "/eight.bmp", "BMP"));
    ASSERT_TRUE(picture.convertToFormat(QImage::Format_RGB888).save(folder + "/rgb.bmp", "BMP"));
    for (const char* name : {"four.bmp", "one.bmp", "eight.bmp", "rgb.bmp"}) {
        const QImage qt(folder + "/" + name);
        ASSERT_FALSE(qt.isNull()) << name;
        int width = 0;
        int height = 0;
        std::string rgb;
        ASSERT_TRUE(ReadBmp(dir.work() / name, width, height, rgb)) << name;
        ASSERT_EQ(width, qt.width()) << name;
        ASSERT_EQ(height, qt.height()) << name;
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::size_t at = 3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x));
                const QRgb p = qt.pixel(x, y);
                wrong += static_cast<unsigned char>(rgb[at]) != qRed(p) || static_cast<unsigned char>(rgb[at + 1]) != qGreen(p) ||
                         static_cast<unsigned char>(rgb[at + 2]) != qBlue(p);
            }
        }
        EXPECT_EQ(wrong, 0) << name;
    }
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

}  // namespace
}  // namespace tarvo
