// The graphic views on screen, compared with what the core drew.
#include <QLabel>
#include <QPushButton>

#include "base/cp1252.h"
#include "data/pointmemory.h"
#include "gui/fixtures.h"
#include "coords/qt/tkalibrierung.h"
#include "views/bitmapview.h"
#include "views/elementgraphic.h"
#include "views/qt/tbmp_view.h"
#include "output/qt/tdxf_gxx_main.h"
#include "views/qt/telement_grafik.h"

namespace tarvo {
namespace {

QRgb At(const QImage& image, long long x, long long y) { return image.pixel(static_cast<int>(x), static_cast<int>(y)) & 0xFFFFFFU; }

// The window draws with QPainter; its circle, marker and origin cross lie where the core's
// drawing puts them.
TEST_F(Window, TheElementGraphicShowsWhatTheCoreDrew) {
    m->lb1().Append(Ansi("  1 Kreis    3 D              20.000      30.000      10.000"));
    m->Grafik1Click();
    TElement_grafik* g = w->ElementGraphicWindow();
    ASSERT_TRUE(WaitFor([&] { return g->isVisible(); }));
    EXPECT_EQ(g->findChild<QListWidget*>("lb1")->count(), 1);
    EXPECT_EQ(g->findChild<QLabel*>("Label16")->text(), "1");

    const ElementGraphic& model = m->ElementGraphicModel();
    PixelBuffer core(model.Width(), model.Height());
    PixelCanvas canvas(core);
    m->ElementGraphicModel().Draw(canvas);
    const QImage shown = g->findChild<QLabel*>("Image1")->grab().toImage();
    ASSERT_EQ(shown.width(), model.Width());

    const auto [cx, cy] = model.PixelOf(30, 10);
    const auto [ex, ey] = model.PixelOf(40, 10);  // the circle's rightmost point (radius 10)
    const auto [ox, oy] = model.PixelOf(5, 0);    // on the origin cross
    // Within a pixel: the two rasterise circles a little differently.
    const auto near = [](const std::function<QRgb(long long, long long)>& pixel, long long x, long long y, QRgb colour) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (pixel(x + dx, y + dy) == colour) {
                    return true;
                }
            }
        }
        return false;
    };
    const auto corePixel = [&](long long x, long long y) { return core.Pixel(static_cast<int>(x), static_cast<int>(y)); };
    const auto shownPixel = [&](long long x, long long y) { return At(shown, x, y); };
    for (const auto& [x, y, colour] : {std::tuple{cx - 2, cy, kRgbBlue}, {ex, ey, kRgbBlue}, {ox, oy, kRgbBlack}}) {
        EXPECT_TRUE(near(corePixel, x, y, colour)) << x << "," << y;
        EXPECT_TRUE(near(shownPixel, x, y, colour)) << x << "," << y;
    }
    EXPECT_EQ(At(shown, 5, 5), 0xFFFFFFU);
    g->findChild<QPushButton*>("BitBtn1")->click();
    EXPECT_FALSE(g->isVisible());
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

    // OK straight away: cancel.
    view.FormShow();
    QTimer::singleShot(0, [&] { dialog.findChild<QPushButton*>("BitBtn1")->click(); });
    EXPECT_FALSE(dialog.Run(view));
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// The converter from the main window's menu: its lists show the model; Delete in a list removes
// the selected item and selects the one before.
TEST_F(Window, TheConverterOpensFromTheMenuAndDeletesInItsLists) {
    m->Run(CommandOf(CommandId::Converter));
    QWidget* converter = w->ConverterWindow();
    ASSERT_TRUE(WaitFor([&] { return converter->isVisible(); }));
    auto* points = converter->findChild<QListWidget*>("ListBox1");
    ASSERT_EQ(points->count(), 12);
    EXPECT_EQ(converter->findChild<QListWidget*>("ListBox2")->item(0)->text(), "10:10");
    points->setCurrentRow(3);
    QTest::keyClick(points, Qt::Key_Delete);
    EXPECT_EQ(points->count(), 11);
    EXPECT_EQ(points->currentRow(), 2);
    EXPECT_EQ(m->Converter().ListBox1.size(), 11u);
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
    ASSERT_TRUE(WaitFor([&] { return k->Ergebnis->toPlainText().contains("Fehler 10.00"); })) << k->Ergebnis->toPlainText().toStdString();
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
