// The machine calibration: positions unchanged without it, the procedures against simulated
// machines, the refusals, and the calibration file as the start-up reads it.
#include "coords/calibration.h"

#include <gtest/gtest.h>

#include <numbers>
#include <random>

#include "base/cp1252.h"
#include "coords/calibrationfile.h"
#include "geometry/lines.h"
#include "readout/simulatedreadout.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

// Without a calibration file every position, polled or pushed in either line layout, is what it
// was before corrections existed: the reading times the factors, less the offset, turned by the
// rotation, each stored value rounded as the 48-bit real rounds it, to the bit.
class Uncorrected : public test::MainWindowFixture {
protected:
    SimulatedReadout readout;
    void SetUp() override {}
    void TearDown() override {
        w.reset();
        session.reset();
    }
    void StartWith(const std::string& profile) {
        dir.Write("IF2M.VAL", profile);
        InterfaceProfile p;
        (void)LoadInterfaceProfile(dir.work() / "IF2M.VAL", p);
        readout.SetProfile(p);
        session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
        session->serialDevice = &readout;
        w = std::make_unique<MainWindow>(*session);
        w->FormCreate();
        session->timers.Advance(500);
    }
};

TEST_F(Uncorrected, PositionsAreTodaysToTheBitInEveryPath) {
    for (const bool twoAxisLines : {false, true}) {
        StartWith(twoAxisLines ? "[PARAMETER]\nAUTOTRIGGER=1\n" : "");
        ASSERT_FALSE(session->correction.Active());
        std::mt19937 rng(twoAxisLines ? 7 : 3);
        std::uniform_real_distribution<double> reading(-300, 300);
        std::uniform_real_distribution<double> small(-2, 2);
        for (int i = 0; i < 120; ++i) {
            const bool pushed = i % 2 == 1;
            Settings& s = settings();
            s.OffsetX = small(rng) * 10;
            s.OffsetY = small(rng) * 10;
            s.OffsetW = i % 3 == 0 ? 0.0L : small(rng) * 20;
            s.AxisFactorX = i % 5 == 0 ? -1.0L : 1.0L + small(rng) * 1e-3;
            s.AxisFactorY = 1.0L + small(rng) * 1e-3;
            session->acquisition.AxisScale[0] = 1.0L + small(rng) * 1e-2;
            // Readings as the readout sends them: four decimals.
            const long double x = std::round(reading(rng) * 1e4) / 1e4L;
            const long double y = std::round(reading(rng) * 1e4) / 1e4L;
            if (pushed) {
                if (!session->acquisition.FootSwitchMode) {
                    w->Run(CommandOf(CommandId::FootSwitchTrigger));
                }
                readout.Push(twoAxisLines ? readout.TwoAxisLine(x, y) : readout.PushedAxisLine(1, x));
                if (!twoAxisLines) {
                    readout.Push(readout.PushedAxisLine(2, y));
                }
                const int before = w->PointCount();
                session->timers.Advance(40);
                ASSERT_EQ(w->PointCount(), before + 1);
                const Real mx = x * s.AxisFactorX - s.OffsetX;
                const Real my = y * s.AxisFactorY - s.OffsetY;
                const XY want = RotateAboutOrigin(s.OffsetW, mx, my);
                EXPECT_EQ(session->run.CurrentPos.x, want.x) << i;
                EXPECT_EQ(session->run.CurrentPos.y, want.y) << i;
            } else {
                if (session->acquisition.FootSwitchMode) {
                    w->Run(CommandOf(CommandId::KeyboardTrigger));
                }
                readout.SetReading(x, y);
                session->timers.Advance(300);
                const AcquisitionState& a = session->acquisition;
                const Real mx = Real(x) * a.AxisScale[0] * s.AxisFactorX - s.OffsetX;
                const Real my = Real(y) * a.AxisScale[1] * s.AxisFactorY - s.OffsetY;
                const XY want = RotateAboutOrigin(s.OffsetW, mx, my);
                EXPECT_EQ(session->run.CurrentPos.x, want.x) << i;
                EXPECT_EQ(session->run.CurrentPos.y, want.y) << i;
            }
        }
        w.reset();
        session.reset();
    }
}

// Any machine within the limits, calibrated in the order of the stages (lengths, glass scales,
// square) from exact readings, shows every position of the range within 0.1 µm.
TEST(CalibrationProcedures, AnyMachineIsCorrectedOverTheWholeRange) {
    const UiTexts texts;
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int machine = 0; machine < 25; ++machine) {
        MachineErrors e;
        e.scalePpm[0] = u(rng) * 500;
        e.scalePpm[1] = u(rng) * 500;
        e.waveUm[0] = u(rng) * 3;
        e.waveUm[1] = u(rng) * 3;
        e.wavePeriod[0] = 150 + 50 * u(rng);
        e.wavePeriod[1] = 150 + 50 * u(rng);
        e.squarenessUrad = u(rng) * 300;
        ScaleCorrection c;
        const auto run = [&](CalibrationProcedure p, const std::vector<std::pair<long double, long double>>& edge1,
                             const std::vector<std::pair<long double, long double>>& edge2) {
            for (const auto& [x, y] : edge1) {
                long double rx = 0;
                long double ry = 0;
                e.Readings(x, y, rx, ry);
                p.Capture(rx, ry);
            }
            if (!edge2.empty()) {
                ASSERT_TRUE(p.NextEdge());
                for (const auto& [x, y] : edge2) {
                    long double rx = 0;
                    long double ry = 0;
                    e.Readings(x, y, rx, ry);
                    p.Capture(rx, ry);
                }
            }
            const CalibrationResult r = p.Compute(c, texts);
            ASSERT_TRUE(r.ok) << r.refusal;
            c = r.correction;
        };
        run(CalibrationProcedure(CalibrationKind::Linear, 0, {300}), {{0, 0}, {300, 0}}, {});
        run(CalibrationProcedure(CalibrationKind::Linear, 1, {300}), {{0, 0}, {0, 300}}, {});
        std::vector<long double> marks;
        std::vector<std::pair<long double, long double>> alongX;
        std::vector<std::pair<long double, long double>> alongY;
        for (int i = 0; i <= 50 - 1; ++i) {
            marks.push_back(i * 300.0L / 49);
            alongX.push_back({marks.back(), 0});
            alongY.push_back({0, marks.back()});
        }
        run(CalibrationProcedure(CalibrationKind::Segments, 0, marks), alongX, {});
        run(CalibrationProcedure(CalibrationKind::Segments, 1, marks), alongY, {});
        run(CalibrationProcedure(machine % 2 == 0 ? CalibrationKind::Square : CalibrationKind::Turn, 0, {90}),
            {{10, 3}, {150, 3}, {290, 3}}, {{3, 10}, {3, 150}, {3, 290}});
        ASSERT_TRUE(CorrectionProblem(c, UiTexts{}).empty()) << CorrectionProblem(c, UiTexts{});
        for (int k = 0; k < 200; ++k) {
            const long double x = 150 + 150 * u(rng);
            const long double y = 150 + 150 * u(rng);
            long double rx = 0;
            long double ry = 0;
            e.Readings(x, y, rx, ry);
            const CorrectedXY p = c.Apply(rx, ry);
            EXPECT_LT(std::hypot(p.x - x, p.y - y) * 1000, 0.1L) << machine << " at " << (double)x << " " << (double)y;
        }
        // The file holds what was computed, closely enough for the same figures.
        CalibrationRecord rec;
        rec.correction = c;
        test::TempDir dir;
        ASSERT_TRUE(SaveCalibrationFile(dir.work() / kCalibrationFile, rec).ok);
        const CalibrationFileState back = LoadCalibrationFile(dir.work() / kCalibrationFile, UiTexts{});
        ASSERT_EQ(back.status, CalibrationFileStatus::Loaded) << back.problem;
        long double rx = 0;
        long double ry = 0;
        e.Readings(123, 234, rx, ry);
        const CorrectedXY p = back.record.correction.Apply(rx, ry);
        EXPECT_LT(std::hypot(p.x - 123, p.y - 234) * 1000, 0.1L);
    }
}

// A machine whose guides are wavy (an error field no axis correction reaches): after the axis
// calibrations, a grid plate laid anywhere, a little turned, corrects every distance in its range
// below 1 µm; the file keeps the grid, and bad grids are refused with the reason.
TEST(CalibrationProcedures, AGridPlateCorrectsAnErrorFieldBelowOneMicrometre) {
    MachineErrors e;
    e.scalePpm[0] = 150;
    e.squarenessUrad = -80;
    e.fieldUm = 6;
    e.fieldPeriod = 220;
    const UiTexts texts;
    ScaleCorrection c;
    const auto probe = [&](CalibrationProcedure& p, long double x, long double y) {
        long double rx = 0;
        long double ry = 0;
        e.Readings(x, y, rx, ry);
        p.Capture(rx, ry);
    };
    CalibrationProcedure length(CalibrationKind::Linear, 0, {200});
    probe(length, 0, 0);
    probe(length, 200, 0);
    c = length.Compute(c, texts).correction;
    CalibrationProcedure square(CalibrationKind::Square, 0, {90});
    for (const long double at : {10.0L, 100.0L, 190.0L}) {
        probe(square, at, 2);
    }
    ASSERT_TRUE(square.NextEdge());
    for (const long double at : {10.0L, 100.0L, 190.0L}) {
        probe(square, 2, at);
    }
    c = square.Compute(c, texts).correction;
    // The plate: 21 x 21 nodes 10 mm apart, from (5, 4), turned by 0.3°.
    const long double turn = 0.3L * std::numbers::pi_v<long double> / 180;
    const auto node = [&](int i, int j) {
        return std::pair{5 + i * 10 * std::cos(turn) - j * 10 * std::sin(turn),
                         4 + i * 10 * std::sin(turn) + j * 10 * std::cos(turn)};
    };
    CalibrationProcedure grid(CalibrationKind::Grid, 0, {10, 10, 21, 21});
    for (int k = 0; k < 441; ++k) {
        const auto [x, y] = node(k % 21, k / 21);
        probe(grid, x, y);
    }
    const CalibrationResult r = grid.Compute(c, texts);
    ASSERT_TRUE(r.ok) << r.refusal;
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(10, 190);
    const auto worst = [&](const ScaleCorrection& with) {
        long double most = 0;
        for (int k = 0; k < 300; ++k) {
            const long double p[4] = {u(rng), u(rng), u(rng), u(rng)};
            long double r1[2];
            long double r2[2];
            e.Readings(p[0], p[1], r1[0], r1[1]);
            e.Readings(p[2], p[3], r2[0], r2[1]);
            const CorrectedXY a = with.Apply(r1[0], r1[1]);
            const CorrectedXY b = with.Apply(r2[0], r2[1]);
            const long double error = std::hypot(a.x - b.x, a.y - b.y) - std::hypot(p[0] - p[2], p[1] - p[3]);
            most = std::max(most, std::fabs(error) * 1000);
        }
        return most;
    };
    EXPECT_GT(worst(c), 5);             // the axis corrections leave the field
    EXPECT_LT(worst(r.correction), 1);  // the grid takes it away
    EXPECT_LT(r.MaxResidual(), 0.5L);   // at the nodes, which lie a little off the grid's rows
    // The file keeps the grid, closely enough for the same figures.
    test::TempDir dir;
    CalibrationRecord rec;
    rec.correction = r.correction;
    ASSERT_TRUE(SaveCalibrationFile(dir.work() / kCalibrationFile, rec).ok);
    CalibrationFileState back = LoadCalibrationFile(dir.work() / kCalibrationFile, texts);
    ASSERT_EQ(back.status, CalibrationFileStatus::Loaded) << back.problem;
    EXPECT_LT(worst(back.record.correction), 1);
    // A later axis calibration drops the grid, which was measured through the old corrections.
    EXPECT_FALSE(length.Compute(r.correction, texts).correction.grid.Active());

    // Refused: a plate of no possible shape, too few nodes, a node probed out of its place, a
    // grid correcting over 1 % between neighbours; in the file, a grid cut short.
    const auto refusal = [&](std::vector<long double> plate, int nodes, int displaced, long double by) {
        CalibrationProcedure p(CalibrationKind::Grid, 0, std::move(plate));
        for (int k = 0; k < nodes; ++k) {
            const auto [x, y] = node(k % 3, k / 3);
            probe(p, x + (k == displaced ? by : 0), y);
        }
        return p.Compute(c, texts).refusal;
    };
    EXPECT_EQ(refusal({10, 10, 1, 3}, 3, -1, 0), texts.Compose(kMsgCalNoStandard, {}));
    EXPECT_EQ(refusal({10, 10, 3, 3}, 8, -1, 0), texts.Compose(kMsgCalTooFew, {"9", "8"}));
    EXPECT_EQ(refusal({10, 10, 3, 3}, 9, 4, 10), texts.Compose(kMsgCalGridOff, {"5"}));
    EXPECT_EQ(refusal({10, 10, 3, 3}, 9, 4, 0.2L), texts.Compose(kMsgCalGridSlope, {"5"}));
    std::string text = CalibrationFileText(rec);
    text.erase(text.find("GITTER_ZEILE21"));
    dir.Write(kCalibrationFile, text);
    back = LoadCalibrationFile(dir.work() / kCalibrationFile, texts);
    EXPECT_EQ(back.status, CalibrationFileStatus::Damaged);
    EXPECT_EQ(back.problem, texts.Compose(kMsgCalFileGrid, {"21", "21", "10.000", "10.000", "420"}));
}

// Bad input is refused with its reason and nothing is saved.
class Refusals : public test::MainWindowFixture {};

TEST_F(Refusals, BadInputIsRefusedWithTheReasonAndNothingIsSaved) {
    struct Case {
        CalibrationKind kind;
        std::vector<long double> certified;
        std::vector<long double> probedX;  // along X at y = 0
        const char* reason;
    };
    const std::vector<Case> cases = {
        {CalibrationKind::Linear, {200}, {0}, "zu wenige Punkte"},
        {CalibrationKind::Linear, {210}, {0, 200}, "größer als 1 %"},  // a wrong standard typed
        {CalibrationKind::Segments, {0, 10}, {0}, "zu wenige Punkte"},
        {CalibrationKind::Segments, {0, 20, 10}, {0, 20, 10}, "Marke 3"},
        {CalibrationKind::Segments, {0, 10, 20}, {0, 10.2L, 20}, "größer als 1 %"},
        {CalibrationKind::Square, {90}, {0, 10}, "zu wenige Punkte"},
        {CalibrationKind::Segments, std::vector<long double>(51, 1), {}, "mehr als 50"},
    };
    for (const Case& c : cases) {
        w->StartCalibration(c.kind, 0, c.certified);
        for (const long double x : c.probedX) {
            session->acquisition.LastReading[0] = x;
            session->acquisition.LastReading[1] = 0;
            w->FormKeyDown(kKeySpace);
        }
        op.ExpectError();
        const CalibrationResult* r = w->ComputeCalibration();
        ASSERT_NE(r, nullptr);
        EXPECT_FALSE(r->ok);
        EXPECT_NE(r->refusal.find(Ansi(c.reason)), std::string::npos) << r->refusal;
        op.ExpectError();
        EXPECT_FALSE(w->SaveCalibration({}));
        EXPECT_FALSE(FileExists(dir.work() / kCalibrationFile));
        EXPECT_FALSE(session->correction.Active());
    }
    EXPECT_EQ(w->PointCount(), 0);  // the captures went to the calibration
}

class CalibrationFile : public test::MainWindowFixture {
protected:
    void SetUp() override {}
};

TEST_F(CalibrationFile, ADamagedFileIsSaidMeasuresUncorrectedAndIsNeverWrittenOverUnasked) {
    const std::string damaged = "[Kalibrierung]\r\nDATUM=01.12.2026\r\n[Korrektur]\r\nFAKTOR_X=1,0001x\r\n";
    dir.Write(kCalibrationFile, damaged);
    op.ExpectError();
    Start();
    EXPECT_NE(op.shown.back().find(Ansi("beschädigt")), std::string::npos) << op.shown.back();
    EXPECT_EQ(session->calibration.status, CalibrationFileStatus::Damaged);
    EXPECT_FALSE(session->correction.Active());
    EXPECT_EQ(w->CalibrationStatus(), Ansi("Kalibrierdatei beschädigt: ohne Korrektur"));
    EXPECT_TRUE(session->header.calibration.empty());
    // A new calibration replaces it only when the operator says so.
    w->StartCalibration(CalibrationKind::Linear, 0, {100});
    for (const long double x : {0.0L, 100.01L}) {
        session->acquisition.LastReading[0] = x;
        w->FormKeyDown(kKeySpace);
    }
    ASSERT_TRUE(w->ComputeCalibration()->ok);
    op.ExpectAsk(false);
    EXPECT_FALSE(w->SaveCalibration({}));
    w->Close();
    EXPECT_EQ(*ReadFileBytes(dir.work() / kCalibrationFile), damaged);
}

TEST_F(CalibrationFile, TheDateAndDueDateShowAndAnOverdueCalibrationIsSaidAtStart) {
    CalibrationRecord r;
    r.date = {2025, 11, 30, 0, 0, 0};
    r.standard = "GS-200";
    r.certificate = "K-4711";
    r.correction.factor[0] = 0.9999L;
    ASSERT_TRUE(SaveCalibrationFile(dir.work() / kCalibrationFile, r).ok);
    op.ExpectInfo();
    Start();
    EXPECT_NE(op.shown.back().find("30.11.2026"), std::string::npos) << op.shown.back();
    EXPECT_EQ(w->CalibrationStatus(), Ansi("Kalibriert am 30.11.2025, fällig am 30.11.2026"));
    EXPECT_NE(session->header.calibration.find("K-4711"), std::string::npos);
    EXPECT_TRUE(session->correction.Active());
    w->Close();
    // A longer interval from TARVO.INI: not due, nothing said.
    dir.Write("TARVO.INI", "[PARAMETER]\nKALIB_TAGE=730\n");
    w.reset();
    session.reset();
    Start();
    EXPECT_EQ(w->CalibrationStatus(), Ansi("Kalibriert am 30.11.2025, fällig am 30.11.2027"));
}

}  // namespace
}  // namespace tarvo
