// The machine calibration: positions unchanged without it, the procedures against simulated
// machines, the refusals, and the calibration file as the start-up reads it.
#include "coords/calibration.h"

#include <gtest/gtest.h>

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
        ASSERT_TRUE(CorrectionProblem(c).empty()) << CorrectionProblem(c);
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
        const CalibrationFileState back = LoadCalibrationFile(dir.work() / kCalibrationFile);
        ASSERT_EQ(back.status, CalibrationFileStatus::Loaded) << back.problem;
        long double rx = 0;
        long double ry = 0;
        e.Readings(123, 234, rx, ry);
        const CorrectedXY p = back.record.correction.Apply(rx, ry);
        EXPECT_LT(std::hypot(p.x - 123, p.y - 234) * 1000, 0.1L);
    }
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
