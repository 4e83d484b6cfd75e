// The desktop window on the offscreen platform: key routing, the scale fields, the dialogs'
// own keys, and a circle measured through the widgets.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/qt/qtoperator.h"
#include "app/qt/tmain.h"
#include "base/text.h"
#include "data/qt/tmrk_set.h"
#include "geometry/qt/tselect_winkel.h"
#include "programs/programfile.h"
#include "readout/simulatedreadout.h"
#include "shell/qt/dialogs.h"
#include "shell/qt/qtimerdriver.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"
#include "gui/fixtures.h"
#include "views/methodsketch.h"
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

TEST(Dialogs, AngleChooserDigitKeysAndTheInputDialogComma) {
    Tselect_winkel chooser;
    QTimer::singleShot(0, [&chooser] { QTest::keyClick(&chooser, Qt::Key_3); });
    EXPECT_EQ(chooser.Choose(AngleChoice({Real(30), Real(330), Real(60), Real(150)})), 3);
    QTimer::singleShot(0, [&chooser] { chooser.reject(); });
    EXPECT_EQ(chooser.Choose(AngleChoice({Real(30), Real(330), Real(60), Real(150)})), std::nullopt);
    const QImage sketch = Tselect_winkel::Sketch(AngleChoice({Real(90), Real(180), Real(0), Real(0)}));
    EXPECT_EQ(sketch.size(), QSize(466, 231));
    EXPECT_EQ(sketch.pixelColor(140, 110), QColor(128, 128, 128));  // inside the first quarter sector
    EXPECT_EQ(sketch.pixelColor(110, 140), QColor(Qt::white));       // below it: not filled

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

}  // namespace
}  // namespace tarvo

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

namespace tarvo {
namespace {

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

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

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

// The whole program as main() puts it together, with the simulated readout on its serial line:
// live positions, three captures with Space, the circle button, the result line in the view.
TEST(WholeProgram, MeasuresACircleThroughTheWidgets) {
    SimulatedProgram p;
    test::ScriptedOperator& op = p.op;
    SimulatedReadout& readout = p.readout;
    MainWindow& model = p.model;
    Tmain window(model);
    model.FormCreate();
    window.show();
    const auto waitFor = WaitFor;
    auto* lv1 = window.findChild<QLabel*>("LV1");
    auto* list = window.findChild<QWidget*>("lb1");
    for (const auto& [x, y] : {std::pair{15.0L, 20.0L}, {10.0L, 25.0L}, {5.0L, 20.0L}}) {
        readout.SetReading(x, y);
        const QString expected = QString::number(static_cast<double>(x), 'f', 3);
        ASSERT_TRUE(waitFor([&] { return lv1->text() == expected && model.LV2 == FormatReal(y, 0, 3); }));
        QTest::keyClick(list, Qt::Key_Space);
    }
    ASSERT_EQ(model.PointCount(), 3);
    QTest::mouseClick(window.Button("SpeedButton1"), Qt::LeftButton);
    auto* view = static_cast<QListView*>(list);
    ASSERT_EQ(view->model()->rowCount(), 1);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(), "  1 Kreis    3 D              10.000      10.000      20.000");
    EXPECT_EQ(op.beeps, 3);
    window.close();
    EXPECT_TRUE(model.Closed());
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

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

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// Built and torn down in main()'s order: the window owns the dialogs of the operator, so
// nothing is freed twice at exit.
TEST(WholeProgram, BuildsAndTearsDownCleanly) {
    RealProgram p;
    QtOperator& op = p.op;
    MainWindow& model = p.model;
    {
        Tmain window(model);
        op.Attach(&window, &model);
        model.FormCreate();
        window.show();
        QApplication::processEvents();
        window.close();
    }
    EXPECT_TRUE(model.Closed());
}

}  // namespace
}  // namespace tarvo
