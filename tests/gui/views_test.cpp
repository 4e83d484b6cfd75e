// The graphic views and the output windows on screen, compared with what the core drew: the
// element graphic, the bitmap view, the method sketches, the converter window, the PNG writer read
// back by Qt, and the report printed through Qt.
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
#include <QScrollArea>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/qt/qtoperator.h"
#include "app/qt/tmain.h"
#include "base/cp1252.h"
#include "base/text.h"
#include "coords/qt/tkalibrierung.h"
#include "data/pointmemory.h"
#include "data/qt/tmrk_set.h"
#include "data/resultline.h"
#include "elements/reference.h"
#include "geometry/qt/tselect_winkel.h"
#include "gui/fixtures.h"
#include "output/pdfcanvas.h"
#include "output/qt/printercanvas.h"
#include "output/qt/tcomon_form.h"
#include "output/qt/tdxf_gxx_main.h"
#include "output/qt/theaddata.h"
#include "output/report.h"
#include "programs/programfile.h"
#include "readout/simulatedreadout.h"
#include "shell/qt/dialogs.h"
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

QRgb At(const QImage& image, long long x, long long y) {
    return image.pixel(static_cast<int>(x), static_cast<int>(y)) & 0xFFFFFFU;
}

// The windows the main window opens: the element graphic and the converter.
class ChildWindows : public Window {};

// The window draws with QPainter; its circle, marker and origin cross lie where the core's
// drawing puts them.
TEST_F(ChildWindows, TheElementGraphicShowsWhatTheCoreDrew) {
    m->lb1().Append(Ansi("  1 Kreis    3 D              20.000      30.000      10.000"));
    m->Grafik1Click();
    TElement_grafik* g = w->ElementGraphicWindow();
    ASSERT_TRUE(WaitFor([&] { return g->isVisible(); }));
    EXPECT_EQ(g->findChild<QListWidget*>("lb1")->count(), 1);
    EXPECT_EQ(g->findChild<QLabel*>("Label16")->text(), "1");

    // It opens with the whole picture in the window; "Einpassen" off shows it 1:1.
    auto* image = g->findChild<QLabel*>("Image1");
    auto* box = g->findChild<QScrollArea*>("ScrollBox1");
    EXPECT_TRUE(g->Fitted());
    EXPECT_LE(image->width(), box->viewport()->width());
    EXPECT_LE(image->height(), box->viewport()->height());
    g->SetFitted(false);

    const ElementGraphic& model = m->ElementGraphicModel();
    PixelBuffer core(model.Width(), model.Height());
    PixelCanvas canvas(core);
    m->ElementGraphicModel().Draw(canvas);
    const QImage shown = image->grab().toImage();
    ASSERT_EQ(shown.width(), model.Width());

    const auto [cx, cy] = model.PixelOf(30, 10);
    const auto [ex, ey] = model.PixelOf(40, 10);  // the circle's rightmost point (radius 10)
    const auto [ox, oy] = model.PixelOf(5, 0);    // on the origin cross
    // Within a pixel: the two rasterise circles a little differently.
    const auto near = [](const std::function<QRgb(long long, long long)>& pixel, long long x, long long y,
                         QRgb colour) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (pixel(x + dx, y + dy) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    const auto corePixel = [&](long long x, long long y) {
        return core.Pixel(static_cast<int>(x), static_cast<int>(y));
    };
    const auto shownPixel = [&](long long x, long long y) { return At(shown, x, y); };
    for (const auto& [x, y, colour] : {std::tuple{cx - 2, cy, kRgbBlue}, {ex, ey, kRgbBlue}, {ox, oy, kRgbBlack}}) {
        EXPECT_TRUE(near(corePixel, x, y, colour)) << x << "," << y;
        EXPECT_TRUE(near(shownPixel, x, y, colour)) << x << "," << y;
    }
    EXPECT_EQ(At(shown, 5, 5), 0xFFFFFFU);
    g->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_FALSE(g->isVisible());
}

// The reference element chosen in the system settings shows in the status bar; a kept circle is
// evaluated again from the result list's context menu; the element graphic draws the points'
// deviations as whiskers, the largest in red.
TEST_F(ChildWindows, ReferenceChoiceReevaluationAndWhiskers) {
    TSys sys;
    QTimer::singleShot(0, [&sys] {
        sys.cbKreisBezug->setCurrentIndex(4);  // MCCI
        sys.accept();
    });
    const auto choice = sys.Ask(SystemChoice{});
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->circleReference, "MCCI");
    EXPECT_EQ(choice->lineReference, "SEARCH");
    auto* status = w->findChild<QLabel*>("BezugStatus");
    EXPECT_TRUE(status->isHidden());
    ASSERT_TRUE(ChooseReference(m->Context(), ReferenceKind::Circle, choice->circleReference));
    ASSERT_TRUE(WaitFor([&] { return !status->isHidden(); }));
    EXPECT_EQ(status->text(), "Bezug Kreis MCCI, Gerade SEARCH");

    for (const auto& [x, y] :
         {std::pair{30.0L, 20.0L}, {20.0L, 30.1L}, {10.0L, 20.0L}, {20.0L, 10.0L}, {27.07L, 27.07L}}) {
        Capture(x, y);
    }
    QTest::keyClick(Child("lb1"), Qt::Key_F2);
    ASSERT_EQ(m->lb1().Count(), 1);
    EXPECT_NE(m->lb1().Line(0).find("Kreis    5 D MCCI"), std::string::npos) << m->lb1().Line(0);
    QAction* again = nullptr;
    for (QAction* a : Child("lb1")->actions()) {
        again = a->text().remove('&') == "Neu auswerten" ? a : again;
    }
    ASSERT_NE(again, nullptr);
    m->lb1().SetItemIndex(0);
    op.ExpectChoose("2");  // LSCI
    again->trigger();
    ASSERT_EQ(m->lb1().Count(), 2);
    EXPECT_NE(m->lb1().Line(1).find("Kreis    5 D LSCI"), std::string::npos) << m->lb1().Line(1);

    m->Grafik1Click();
    const ElementGraphic& model = m->ElementGraphicModel();
    PixelBuffer core(model.Width(), model.Height());
    PixelCanvas canvas(core);
    m->ElementGraphicModel().Draw(canvas);
    EXPECT_EQ(model.Labels().deviations.rfind("Abweichungen ", 0), 0u) << model.Labels().deviations;
    // The point at (20, 30.1) deviates most from the least-squares circle: its whisker is red,
    // pointing outwards from the circle.
    const auto [px, py] = model.PixelOf(20, 30.1L);
    bool red = false;
    for (long long y = py - 45; y <= py + 5; ++y) {
        red = red || core.Pixel(static_cast<int>(px), static_cast<int>(y)) == kRgbRed;
    }
    EXPECT_TRUE(red);
}

// The converter from the main window's menu: its lists show the model; Delete in a list removes
// the selected item and selects the one before.
TEST_F(ChildWindows, TheConverterOpensFromTheMenuAndDeletesInItsLists) {
    m->Run(CommandOf(CommandId::Converter));
    QWidget* converter = w->ConverterWindow();
    ASSERT_TRUE(WaitFor([&] { return converter->isVisible(); }));
    auto* points = converter->findChild<QListWidget*>("ListBox1");
    ASSERT_EQ(points->count(), 10);
    EXPECT_EQ(converter->findChild<QListWidget*>("ListBox2")->item(0)->text(), "10:10");
    points->setCurrentRow(3);
    QTest::keyClick(points, Qt::Key_Delete);
    EXPECT_EQ(points->count(), 9);
    EXPECT_EQ(points->currentRow(), 2);
    EXPECT_EQ(m->Converter().ListBox1.size(), 9u);
}

// The bitmap view shows the core's own picture: after the click into the polygon the screen
// and the core's pixels are the same, and OK hands the area over.
TEST(BitmapViewWindow, TheScreenShowsTheCorePictureAndOkReturnsTheArea) {
    const test::TempDir dir;
    dir.Write(kBitmapSizeFile, "600\n300\n");
    BitmapView view(dir.work());
    view.lb1 = {PointItemText(0, 0, 3), PointItemText(4, 0, 3), PointItemText(4, 2, 3), PointItemText(0, 2, 3)};
    view.FormShow();
    TBMP_View dialog(nullptr);
    QImage shown;
    QTimer::singleShot(0, [&] {
        dialog.SetFitted(false);
        dialog.AreaClick();
        const auto [px, py] = view.PixelOf(1, 1);
        QTest::mouseClick(dialog.findChild<QLabel*>("Image1"), Qt::LeftButton, {}, QPoint(px, py));
        shown = dialog.findChild<QLabel*>("Image1")->grab().toImage();
        EXPECT_EQ(dialog.findChild<QLabel*>("Label6")->text(), "8.00");
        dialog.findChild<QPushButton*>("BitBtn1")->click();
    });
    ASSERT_TRUE(dialog.Run(view));
    EXPECT_NEAR(static_cast<double>(view.Result()), 8.0, 0.01);
    ASSERT_EQ(shown.size(), QSize(600, 300));
    int differing = 0;
    for (int y = 0; y < 300; ++y) {
        for (int x = 0; x < 600; ++x) {
            differing += At(shown, x, y) != view.Bitmap().Pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    const auto [gx, gy] = view.PixelOf(1, 1);
    EXPECT_EQ(At(shown, gx, gy), kRgbGrey);

    // A picture larger than the window opens fitted: all of it in view, and a click on the
    // screen measures where it lands in the picture.
    dir.Write(kBitmapSizeFile, "3000\n2000\n");
    BitmapView large(dir.work());
    large.lb1 = view.lb1;
    large.FormShow();
    QTimer::singleShot(0, [&] {
        dialog.SetFitted(true);
        auto* image = dialog.findChild<QLabel*>("Image1");
        auto* box = dialog.findChild<QScrollArea*>("ScrollBox1");
        EXPECT_LE(image->width(), box->viewport()->width());
        EXPECT_LE(image->height(), box->viewport()->height());
        dialog.AreaClick();
        const auto [px, py] = large.PixelOf(1, 1);
        const double scale = 3000.0 / image->width();
        QTest::mouseClick(image, Qt::LeftButton, {},
                          QPoint(static_cast<int>(px / scale), static_cast<int>(py / scale)));
        dialog.findChild<QPushButton*>("BitBtn1")->click();
    });
    ASSERT_TRUE(dialog.Run(large));
    EXPECT_NEAR(static_cast<double>(large.Result()), 8.0, 0.05);

    // OK straight away: cancel.
    view.FormShow();
    QTimer::singleShot(0, [&] { dialog.findChild<QPushButton*>("BitBtn1")->click(); });
    EXPECT_FALSE(dialog.Run(view));
}

// The PNG writer's files read back by Qt's own decoder: every pixel as drawn. The pictures give
// the encoder long runs of one colour (matches of the longest length), short runs of every
// length, bytes that need the nine-bit literal codes, and a picture of a single pixel.
TEST(PngWriter, QtReadsBackEveryPixel) {
    const test::TempDir dir;
    PixelBuffer drawing(701, 233);
    drawing.Rectangle(10, 10, 690, 220, kRgbBlack);
    drawing.Ellipse(50, 30, 400, 200, kRgbRed);
    drawing.Text(420, 100, "12.345/-6", kRgbBlue);
    (void)drawing.FloodFill(225, 115, kRgbRed, kRgbGrey);
    PixelBuffer runs(97, 61);
    PixelBuffer noise(53, 29);
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525U + 1013904223U;
        return seed;
    };
    const Rgb palette[] = {kRgbWhite, kRgbBlack, 0x90A0F0, 0x1F2E3D};
    for (int y = 0; y < runs.Height(); ++y) {
        for (int x = 0; x < runs.Width(); ++x) {
            runs.SetPixel(x, y, palette[(next() >> 16) % 4U]);
        }
    }
    for (int y = 0; y < noise.Height(); ++y) {
        for (int x = 0; x < noise.Width(); ++x) {
            noise.SetPixel(x, y, (next() >> 8) & 0xFFFFFFU);
        }
    }
    const PixelBuffer single(1, 1, 0xFEDCBA);
    const std::pair<const char*, const PixelBuffer*> pictures[] = {
        {"drawing.png", &drawing}, {"runs.png", &runs}, {"noise.png", &noise}, {"single.png", &single}};
    for (const auto& [name, picture] : pictures) {
        const std::filesystem::path file = dir.work() / name;
        ASSERT_TRUE(WritePng(file, *picture)) << name;
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(file.string()), "PNG")) << name;
        ASSERT_EQ(image.size(), QSize(picture->Width(), picture->Height())) << name;
        int differing = 0;
        for (int y = 0; y < picture->Height(); ++y) {
            for (int x = 0; x < picture->Width(); ++x) {
                differing += At(image, x, y) != picture->Pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0) << name;
    }
    // An empty picture has no PNG form: nothing is written.
    EXPECT_FALSE(WritePng(dir.work() / "empty.png", PixelBuffer()));
    EXPECT_FALSE(std::filesystem::exists(dir.work() / "empty.png"));
}

TEST(MethodSketches, DotsSitAtTheirPixelsAndUnknownMethodsDrawOnlyTheBackground) {
    const QColor yellow(255, 255, 0);
    const QColor silver(192, 192, 192);
    // The centre of every dot box of the circle, the angle and the circle-circle sketches.
    for (const auto& [method, x, y] : std::vector<std::tuple<int, int, int>>{
             {1, 68, 47}, {1, 170, 47}, {1, 122, 139}, {3, 159, 119}, {11, 172, 169}, {10, 222, 20}}) {
        EXPECT_EQ(Tmethode::Draw(method).pixelColor(x, y), yellow) << method << " " << x << "," << y;
    }
    EXPECT_EQ(Tmethode::Draw(11).pixelColor(137, 59), QColor(255, 0, 0));  // an intersection mark
    const QImage none = Tmethode::Draw(12);
    EXPECT_EQ(none.pixelColor(68, 47), silver);
    EXPECT_EQ(none.pixelColor(122, 139), silver);
}

TEST(MethodSketches, EscapeInTheWindowAborts) {
    Tmethode window;
    int aborts = 0;
    window.OnEscape = [&aborts] { ++aborts; };
    window.ShowMethod(4);
    EXPECT_EQ(window.windowTitle(), "Abstand Gerade Punkt");
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(aborts, 1);
    EXPECT_TRUE(window.isVisible());  // the caller closes it when the wait ends
    window.ShowMethod(0);
    EXPECT_EQ(window.windowTitle(), "Abstand Gerade Punkt");  // unknown: the caption stays
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
                const std::size_t at =
                    3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x));
                const QRgb p = qt.pixel(x, y);
                wrong += static_cast<unsigned char>(rgb[at]) != qRed(p) ||
                         static_cast<unsigned char>(rgb[at + 1]) != qGreen(p) ||
                         static_cast<unsigned char>(rgb[at + 2]) != qBlue(p);
            }
        }
        EXPECT_EQ(wrong, 0) << name;
    }
}

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
    p.op.ExpectAsk(true);                        // "Kopfdaten drucken ?"
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
    EXPECT_TRUE(run(pdfinfo, {file}).contains(QRegularExpression("Pages:\\s+5\\n")))
        << run(pdfinfo, {file}).toStdString();
}

// The calibration window from its menu entry: a length along X probed with its button, the
// figures shown, saved after the question; the status bar then shows the date.
TEST_F(Window, TheCalibrationWindowGuidesALengthCalibrationToItsFile) {
    m->Run(CommandOf(CommandId::Calibrate));
    Tkalibrierung* k = w->CalibrationWindow();
    ASSERT_TRUE(WaitFor([&] { return k->isVisible(); }));
    k->Sollwerte->setText("100");
    QTest::mouseClick(k->Beginnen, Qt::LeftButton);
    ASSERT_NE(m->Calibration(), nullptr);
    for (const long double x : {10.0L, 110.01L}) {
        session->acquisition.LastReading[0] = x;
        QTest::mouseClick(k->Antasten, Qt::LeftButton);
    }
    EXPECT_EQ(m->PointCount(), 0);
    QTest::mouseClick(k->Berechnen, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return k->Ergebnis->toPlainText().contains("Fehler 10.00"); }))
        << k->Ergebnis->toPlainText().toStdString();
    ASSERT_TRUE(k->Speichern->isEnabled());
    k->Normal->setText("EM-100");
    op.ExpectAsk(true);
    op.ExpectInfo();
    QTest::mouseClick(k->Speichern, Qt::LeftButton);
    EXPECT_TRUE(FileExists(dir.work() / kCalibrationFile));
    auto* status = w->findChild<QLabel*>("KalibrierStatus");
    ASSERT_TRUE(WaitFor([&] { return status->text().contains("08.12.2027"); })) << status->text().toStdString();
}

}  // namespace
}  // namespace tarvo
