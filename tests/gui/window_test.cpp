// The main window `Tmain` on the offscreen platform: its controls' names, key routing, the scale
// fields, where the focus goes after a capture, and what the result list shows.
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
#include "data/resultline.h"
#include "geometry/qt/tselect_winkel.h"
#include "gui/fixtures.h"
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

TEST_F(Window, ControlsCarryTheirNames) {
    for (const char* name : {"LV1", "LV2", "Label1", "Label5", "Label3", "lb1", "lb1_label", "ListBox1", "FX", "FY",
                             "Panel1", "SpeedButton1", "SpeedButton23", "SpeedButton24", "Button1"}) {
        EXPECT_NE(Child(name), nullptr) << name;
    }
    EXPECT_EQ(w->windowTitle(), "TARVO v1.51");
}

TEST_F(Window, SpaceCapturesOnlyInKeyboardMode) {
    Capture(12.5L, -3.25L);
    EXPECT_EQ(m->PointCount(), 1);
    EXPECT_EQ(static_cast<QListWidget*>(Child("ListBox1"))->item(0)->text(), "  12.500 :   -3.250");
    QTest::mouseClick(Child("SpeedButton25"), Qt::LeftButton);  // foot-switch mode
    EXPECT_TRUE(Child("SpeedButton24")->isEnabled());
    EXPECT_FALSE(Child("SpeedButton25")->isEnabled());
    Capture(1, 1);
    EXPECT_EQ(m->PointCount(), 1);
}

TEST_F(Window, CapitalXZeroesAndLowerCaseDoesNot) {
    session->run.CurrentPos = {10, 0};
    QTest::keyClicks(Child("lb1"), "x");
    EXPECT_EQ(session->settings.OffsetX.value(), 0.0L);
    QTest::keyClicks(Child("lb1"), "X");
    EXPECT_EQ(session->settings.OffsetX.value(), 10.0L);
}

TEST_F(Window, FunctionKeysStartCommandsAndEscAborts) {
    Capture(15, 20);
    Capture(10, 25);
    Capture(5, 20);
    QTest::keyClick(Child("lb1"), Qt::Key_F2);
    ASSERT_EQ(m->lb1().Count(), 1);
    EXPECT_EQ(m->lb1().Lines()[0], "  1 Kreis    3 D              10.000      10.000      20.000");
    auto* list = static_cast<QListView*>(Child("lb1"));
    EXPECT_EQ(list->model()->rowCount(), 1);
    QTest::keyClick(Child("lb1"), Qt::Key_Escape);
    EXPECT_EQ(session->run.AbortRequested, 1);
    op.ExpectInput("0,5");
    session->run.AbortRequested = 0;
    QTest::keyClick(Child("lb1"), Qt::Key_F11);
    EXPECT_EQ(session->settings.OffsetX.value(), 0.5L);
}

TEST_F(Window, ScaleFieldsTypeAndLeave) {
    auto* fx = static_cast<QLineEdit*>(Child("FX"));
    fx->setFocus();
    fx->selectAll();
    QTest::keyClicks(fx, "2,5");
    EXPECT_EQ(session->acquisition.AxisScale[0].value(), 2.5L);
    QTest::keyClick(fx, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(fx->text(), "2.5000");
}

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
    EXPECT_EQ(m->lb1().Count(), 1);  // the clicked result line went
    EXPECT_EQ(m->PointCount(), 1);   // the point stayed
}

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

class Keys : public Window {};

TEST_F(Keys, EveryFunctionKeyStartsItsCommand) {
    Capture(0, 0);
    Capture(3, 4);
    QTest::keyClick(Child("lb1"), Qt::Key_F3);
    EXPECT_EQ(m->lb1().Lines().back().substr(4, 10), "Abstand 2P");
    Capture(0, 0);
    Capture(10, 0);
    Capture(5, 5);
    QTest::keyClick(Child("lb1"), Qt::Key_F4);
    EXPECT_EQ(m->lb1().Lines().back().substr(4, 10), "Abstand GP");
    Capture(1, 2);
    QTest::keyClick(Child("lb1"), Qt::Key_F7);
    EXPECT_EQ(m->lb1().Lines().back().substr(4, 5), "Punkt");
    Capture(0, 1);
    Capture(2, 1);
    op.ExpectChoose("1");
    QTest::keyClick(Child("lb1"), Qt::Key_F6);
    EXPECT_EQ(m->lb1().Lines().back().substr(4, 6), "Gerade");
    for (const auto& [x, y] : {std::pair{0.0L, 0.0L}, {10.0L, 0.0L}, {0.0L, 0.0L}, {0.0L, 10.0L}}) {
        Capture(x, y);
    }
    op.ExpectChoose("1");
    QTest::keyClick(Child("lb1"), Qt::Key_F5);
    EXPECT_EQ(m->lb1().Lines().back().substr(4, 6), "Winkel");
    op.ExpectInput("2");
    QTest::keyClick(Child("lb1"), Qt::Key_F12);
    EXPECT_EQ(session->settings.OffsetY.value(), 2.0L);
}

}  // namespace
}  // namespace tarvo
