#include "readout/countercard.h"

#include <gtest/gtest.h>

#include "coords/calibrationfile.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

double D(long double v) { return static_cast<double>(v); }

TEST(CounterCard, ReadsTwentyFourBitCountsWithTheirSign) {
    CounterCard card;
    MemoryIoPorts io;
    io.bytes[card.HighPort(1)] = 0x00;
    io.bytes[card.MiddlePort(1)] = 0x03;
    io.bytes[card.LowPort(1)] = 0xE8;
    EXPECT_EQ(D(ReadCounter(card, io, 1)), 1.0);
    io.bytes[card.HighPort(2)] = 0xFF;
    io.bytes[card.MiddlePort(2)] = 0xFF;
    io.bytes[card.LowPort(2)] = 0xFE;
    EXPECT_NEAR(D(ReadCounter(card, io, 2)), -0.001, 1e-12);
    EXPECT_EQ(card.LowPort(1), 0x0DE7);
    EXPECT_EQ(card.HighPort(3), 0x0DED);
}

TEST(CounterCard, PresetWritesLowMiddleHigh) {
    CounterCard card;
    MemoryIoPorts io;
    PresetCounter(card, io, 1, 0);
    EXPECT_EQ(io.writes, (std::vector<std::pair<std::uint16_t, std::uint8_t>>{{0x0DE7, 0}, {0x0DE6, 0}, {0x0DE5, 0}}));
    io.writes.clear();
    PresetCounter(card, io, 2, -0.001L);
    EXPECT_EQ(io.writes,
              (std::vector<std::pair<std::uint16_t, std::uint8_t>>{{0x0DEB, 0xFE}, {0x0DEA, 0xFF}, {0x0DE9, 0xFF}}));
    PresetCounter(card, io, 3, 12.345L);
    EXPECT_NEAR(D(ReadCounter(card, io, 3)), 12.345, 1e-9);
}

TEST(CounterCard, FilesAndInitialisation) {
    const test::TempDir dir;
    CounterCard card;
    MemoryIoPorts io;
    dir.Write("if3inc.adr", "768\n");
    dir.Write("if3inc.dat", "-1\n1\n1\n2000\n1000\n500\n");
    EXPECT_TRUE(InitCounterCard(dir.work(), card, io).empty());
    EXPECT_EQ(card.BasePort, 768);
    EXPECT_EQ(card.CounterPort, 772);
    EXPECT_EQ(D(card.AxisSign[1]), -1.0);
    EXPECT_EQ(card.CountsPerUnit[3], 500);
    EXPECT_EQ(io.writes, (std::vector<std::pair<std::uint16_t, std::uint8_t>>{
                             {771, 0x80}, {770, 0xFF}, {768, 0xED}, {769, 0xFD}}));
    // A count of 0 per millimetre is refused; the card keeps what it had.
    dir.Write("if3inc.dat", "1\n1\n1\n0\n1000\n1000\n");
    CounterCard fresh;
    EXPECT_EQ(InitCounterCard(dir.work(), fresh, io).size(), 1u);
    EXPECT_EQ(fresh.CountsPerUnit[1], 1000);
    dir.Write("no_init", "");
    io.writes.clear();
    EXPECT_TRUE(InitCounterCard(dir.work(), fresh, io).empty());
    EXPECT_TRUE(io.writes.empty());
}

class CounterLink : public test::MainWindowFixture {
protected:
    MemoryIoPorts io;
    void SetUp() override {}
    void TearDown() override {  // the window before the ports it was given
        w.reset();
        session.reset();
    }
};

TEST_F(CounterLink, TheReceiveTickReadsTheCountersAfterTheResetQuestion) {
    dir.Write("TARVO.INI", "[PARAMETER]\nIF3INC=1\n");
    session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
    session->ioPorts = &io;
    w = std::make_unique<MainWindow>(*session);
    w->FormCreate();
    EXPECT_FALSE(io.writes.empty());  // initialised
    PresetCounter(session->counterCard, io, 1, 5);
    op.ExpectAsk(true);  // "Hardwarezähler zurücksetzen ?"
    session->timers.Advance(500);
    EXPECT_EQ(D(ReadCounter(session->counterCard, io, 1)), 0.0);
    PresetCounter(session->counterCard, io, 1, 2.5L);
    PresetCounter(session->counterCard, io, 2, -1);
    session->timers.Advance(200);
    EXPECT_EQ(w->LV1, "2.500");
    EXPECT_EQ(w->LV2, "-1.000");
}

// The counter card's positions go through the machine's corrections as the readout's do: exact
// without a calibration file, corrected (both axes, since the squareness ties them) with one.
TEST_F(CounterLink, PositionsGoThroughTheCorrections) {
    dir.Write("TARVO.INI", "[PARAMETER]\nIF3INC=1\n");
    CalibrationRecord r;
    r.date = {2026, 12, 1, 0, 0, 0};
    r.correction.factor[0] = 1.0002L;
    r.correction.segments[1] = {{0, 0}, {100, 0.004L}};
    r.correction.squareness = 50e-6L;
    for (const bool calibrated : {false, true}) {
        if (calibrated) {
            ASSERT_TRUE(SaveCalibrationFile(dir.work() / kCalibrationFile, r).ok);
        }
        session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
        session->ioPorts = &io;
        w = std::make_unique<MainWindow>(*session);
        w->FormCreate();
        op.ExpectAsk(false);  // the counters are not reset
        session->timers.Advance(500);
        ASSERT_EQ(session->correction.Active(), calibrated);
        PresetCounter(session->counterCard, io, 1, 123.456L);
        PresetCounter(session->counterCard, io, 2, -45.5L);
        session->timers.Advance(400);
        const long double x = ReadCounter(session->counterCard, io, 1);
        const long double y = ReadCounter(session->counterCard, io, 2);
        const CorrectedXY want = calibrated ? r.correction.Apply(x, y) : CorrectedXY{x, y};
        EXPECT_EQ(session->run.CurrentPos.x, Real(want.x)) << calibrated;
        EXPECT_EQ(session->run.CurrentPos.y, Real(want.y)) << calibrated;
        w.reset();
        session.reset();
    }
}

class CardWithoutPorts : public test::MainWindowFixture {
protected:
    void SetUp() override {}
};

// The card is selected but its ports cannot be opened: said once, clearly; no reset question,
// and the link goes on without touching any port.
TEST_F(CardWithoutPorts, IsReportedOnceAndNotAskedAbout) {
    dir.Write("TARVO.INI", "[PARAMETER]\nIF3INC=1\n");
    op.ExpectError();
    Start();  // the fixture's session has no I/O ports
    EXPECT_NE(op.shown.back().find("IF3INC"), std::string::npos);
    session->timers.Advance(500 + 200);  // the start-up step and a few polling ticks
    EXPECT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(w->LV1, "-");
}

}  // namespace
}  // namespace tarvo
