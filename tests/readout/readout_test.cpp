#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/ini.h"
#include "base/timers.h"
#include "readout/commportdriver.h"
#include "readout/interfaceprofile.h"
#include "readout/simulatedreadout.h"
#include "shell/uitexts.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

double D(long double v) { return static_cast<double>(v); }

TEST(InterfaceProfile, DefaultsWithoutAFile) {
    InterfaceProfile p;
    EXPECT_TRUE(LoadInterfaceProfile("/nonexistent/IF2M.VAL", p).empty());
    EXPECT_EQ(p.ComPortNumber, 1);
    EXPECT_EQ(p.BaudRate, 9600);
    EXPECT_EQ(p.SendSign[1] + p.Terminator, "01A\r");
    EXPECT_EQ(p.SendSign[2], "02A");
    EXPECT_EQ(p.SendSign[9], "01A");
    EXPECT_EQ(p.SendSign[15], "07A");
    EXPECT_EQ(p.SendSign[16], "08A");
    EXPECT_EQ(p.ValueWindow("X: 12,3456   rest"), "12,3456   ");
    EXPECT_EQ(p.ValueWindow("short"), "rt");
}

TEST(InterfaceProfile, KeysLimitsTerminatorAndEscapes) {
    const test::TempDir dir;
    dir.Write("IF4M.VAL",
              "[PARAMETER]\nCOMx=3\nBAUD=19200\nENDCHAR2=10\nsnd_SIGN1=ABCDEFGHIJKLMNOPQRSTUVWXYZ\nMW_SIGN1=LONGMARK\n"
              "mwi_SIGN1=AB#13#1\nsnd_SIGN20=LAST\nUSE_RTS=2\nRTS=1\nSTARTPOS=300\nENDPOS=255\nAUTOTRIGGER=1\n");
    InterfaceProfile p;
    const auto problems = LoadInterfaceProfile(dir.work() / "IF4M.VAL", p);
    ASSERT_EQ(problems.size(), 2u);  // STARTPOS and ENDPOS (255 + 1 does not fit)
    EXPECT_NE(problems[0].find("STARTPOS = 300"), std::string::npos);
    EXPECT_NE(problems[1].find("ENDPOS = 255"), std::string::npos);
    EXPECT_EQ(p.StartPos, 4);
    EXPECT_EQ(p.EndPosPlus1, 14);
    EXPECT_EQ(p.ComPortNumber, 3);
    EXPECT_EQ(p.Terminator, "\r\n");
    EXPECT_EQ(p.SendSign[1].size(), 19u);
    EXPECT_EQ(p.AxisMark[1], "LONG");
    EXPECT_EQ(p.InitSign[1], "AB\r#1");
    EXPECT_EQ(p.SendSign[16], "LAST");
    EXPECT_FALSE(p.UseRtsCts);
    EXPECT_TRUE(p.RaiseRts);
    EXPECT_EQ(p.AutoTrigger, 1);
}

// Every byte field takes 0..255 as written (ENDPOS 0..254); anything else, however many digits
// it has, is one range error naming the key and the text as the file has it, and the field
// keeps its default.
TEST(InterfaceProfile, ByteFieldsTakeTheirRangeAndRejectTheRestAsWritten) {
    const auto bytes = [](const InterfaceProfile& p) {
        return std::array<int, 10>{p.EndChar1,    p.EndChar2,    p.StartPos,     p.EndPosPlus1, p.CharCount,
                                   p.AutoTrigger, p.AutoX.Start, p.AutoX.Length, p.AutoY.Start, p.AutoY.Length};
    };
    const char* const keys[] = {"ENDCHAR1",    "ENDCHAR2",   "STARTPOS",   "ENDPOS",     "CNTCH",
                                "AUTOTRIGGER", "AUTOTRG_S1", "AUTOTRG_L1", "AUTOTRG_S2", "AUTOTRG_L2"};
    const auto defaults = bytes(InterfaceProfile());
    const test::TempDir dir;
    for (std::size_t k = 0; k < std::size(keys); ++k) {
        const std::string key = keys[k];
        const int add = key == "ENDPOS" ? 1 : 0;
        const int hi = 255 - add;
        for (const int v : {0, hi}) {
            dir.Write("IF2M.VAL", "[PARAMETER]\n" + key + "=" + std::to_string(v) + "\n");
            InterfaceProfile p;
            EXPECT_TRUE(LoadInterfaceProfile(dir.work() / "IF2M.VAL", p).empty()) << key << v;
            EXPECT_EQ(bytes(p)[k], v + add) << key;
        }
        for (const std::string& text : {std::to_string(hi + 1), std::string("-1"), std::string("99999999999999999999"),
                                        std::string("-99999999999999999999"), std::string("9223372036854775807")}) {
            dir.Write("IF2M.VAL", "[PARAMETER]\n" + key + " = " + text + "\n");
            InterfaceProfile p;
            const auto problems = LoadInterfaceProfile(dir.work() / "IF2M.VAL", p);
            ASSERT_EQ(problems.size(), 1u) << key << text;
            EXPECT_EQ(problems[0], RangeProblem("IF2M.VAL", key, text, 0, hi));
            EXPECT_NE(problems[0].find(key + " = " + text + Ansi(" liegt außerhalb 0..") + std::to_string(hi)),
                      std::string::npos);
            EXPECT_EQ(bytes(p), defaults) << key << text;
        }
    }
}

// A BAUD, BYTELEN or STOPBITS the port cannot take is said once each, with the value as written
// and what the port takes instead; allowed and missing values are not.
TEST(InterfaceProfile, LineSettingsThePortCannotTakeAreSaid) {
    const test::TempDir dir;
    dir.Write("IF2M.VAL", "[PARAMETER]\nBAUD=12345\nBYTELEN=9\nSTOPBITS=0\nPARITY=7\n");
    InterfaceProfile p;
    const UiTexts texts;
    EXPECT_EQ(LoadInterfaceProfile(dir.work() / "IF2M.VAL", p),
              (std::vector<std::string>{texts.Compose(kMsgNotAllowed, {"IF2M.VAL", "BAUD", "12345", "9600"}),
                                        texts.Compose(kMsgNotAllowed, {"IF2M.VAL", "BYTELEN", "9", "8"}),
                                        "IF2M.VAL: STOPBITS = 0 ist nicht erlaubt, es gilt 1"}));
    EXPECT_EQ(p.BaudRate, 12345);  // held as read; the port keeps its own
    for (const char* good : {"BAUD=110\nBYTELEN=5\nSTOPBITS=2\n", "BAUD=115200\nBYTELEN=8\nSTOPBITS=1\n", ""}) {
        dir.Write("IF2M.VAL", std::string("[PARAMETER]\n") + good);
        EXPECT_TRUE(LoadInterfaceProfile(dir.work() / "IF2M.VAL", p).empty()) << good;
    }
}

TEST(CommPortDriver, LineSettingsNamesAndPolling) {
    const test::TempDir dir;
    dir.Write("TARVO.INI", "[Ports]\nCOM3=/dev/ttyUSB0\n");
    TimerSet timers;
    SimulatedReadout line;
    TCommPortDriver port(&line, timers, dir.work() / "TARVO.INI");
    EXPECT_EQ(ComDeviceName(2, dir.work() / "TARVO.INI"), "/dev/ttyS1");
    port.SetComPort(pnCOM3);
    port.SetComPortSpeed(br56000);
    ASSERT_TRUE(port.Connect());
    EXPECT_EQ(port.DeviceName(), "/dev/ttyUSB0");
    EXPECT_EQ(line.applied.baud, 28800);  // br56000 runs at 28800
    port.SetComPort(pnCOM1);              // ignored while connected
    EXPECT_EQ(port.ComPort(), pnCOM3);
    port.SetComPortInBufSize(400);  // reapplied at once with the new XON limit
    EXPECT_EQ(line.applied.xonLimit, 100);
    EXPECT_EQ(line.applied.inQueue, 400);
    int calls = 0;
    std::string got;
    port.OnReceiveData = [&](const char* d, std::uint32_t n) {
        ++calls;
        got.append(d, n);
    };
    timers.Advance(50);  // nothing arrived: no call
    EXPECT_EQ(calls, 0);
    line.Queue("abc");
    timers.Advance(10);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(got, "abc");
    port.Disconnect();
    port.SetComPort(pnCOM1);
    EXPECT_EQ(port.ComPort(), pnCOM1);
    line.SetAvailable(false);
    EXPECT_FALSE(port.Connect());
}

class Link : public test::MainWindowFixture {
protected:
    SimulatedReadout readout;
    void SetUp() override {}
    // The window closes its port on the readout, which this fixture owns: the window goes first.
    void TearDown() override {
        w.reset();
        session.reset();
    }
    void StartWith(const std::string& ini = "", const std::string& profile = "") {
        if (!ini.empty()) {
            dir.Write("TARVO.INI", ini);
        }
        if (!profile.empty()) {
            dir.Write("IF2M.VAL", profile);
            InterfaceProfile p;
            (void)LoadInterfaceProfile(dir.work() / "IF2M.VAL", p);
            readout.SetProfile(p);
        }
        session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
        session->serialDevice = &readout;
        w = std::make_unique<MainWindow>(*session);
        w->FormCreate();
        session->timers.Advance(500);  // the start-up step
    }
    AcquisitionState& acq() { return session->acquisition; }
};

TEST_F(Link, PositionsFollowTheReadoutThroughScaleFactorAndOffset) {
    StartWith();
    EXPECT_EQ(w->StatusPanels[1], "IF2M");
    readout.SetReading(12.5L, -3.25L);
    session->timers.Advance(200);
    EXPECT_EQ(w->LV1, "12.500");
    EXPECT_EQ(w->LV2, "-3.250");
    EXPECT_EQ(readout.requests.front(), "01A");
    EXPECT_EQ(readout.requests[1], "02A");
    settings().AxisFactorX = -1;
    settings().OffsetX = 0.5L;
    readout.SetReading(10, 0);
    session->timers.Advance(200);
    EXPECT_EQ(D(acq().MachinePos[0]), -10.5);
    w->FXChange("2");
    session->timers.Advance(200);
    EXPECT_EQ(D(acq().MachinePos[0]), -20.5);
}

TEST_F(Link, AnUnansweredRequestTimesOutAfterSixteenTicks) {
    StartWith();
    readout.SetReading(1, 2);
    session->timers.Advance(200);
    readout.answering = false;
    // The moments of the next two requests, to the millisecond.
    const auto nextRequest = [this] {
        const std::size_t before = readout.requests.size();
        while (readout.requests.size() == before) {
            session->timers.Advance(1);
        }
        return session->timers.Now();
    };
    const long long first = nextRequest();
    const long long second = nextRequest();
    // Sixteen receive ticks of 20 ms wait for the answer, then the send tick asks again.
    EXPECT_EQ(second - first, 16 * 20 + 20);
    EXPECT_EQ(w->LV1, "1.000");  // the display keeps its last values
}

TEST_F(Link, ReceivedBytesFormLines) {
    StartWith();
    ReadoutLink& link = w->Link();
    acq().FootSwitchMode = false;
    link.ReceiveData("X: 12,3", 7);
    link.ReceiveData("456\r\n", 5);
    EXPECT_TRUE(acq().NewValue);
    EXPECT_NEAR(D(acq().RxValue), 12.3456, 1e-9);
    EXPECT_EQ(acq().LastLine, "X: 12,3456");
    EXPECT_TRUE(acq().RxAccumulator.empty());  // the line feed was dropped
    acq().NewValue = false;
    link.ReceiveData("X: abc\r", 7);  // not a number: no new value in keyboard mode
    EXPECT_FALSE(acq().NewValue);
    EXPECT_EQ(acq().LastLine, "X: abc");
    const std::string garbage(5000, 'g');
    link.ReceiveData(garbage.data(), static_cast<std::uint32_t>(garbage.size()));
    EXPECT_LE(acq().RxAccumulator.size(), kMaxLineLength);
    const char nul[] = {'\0', '\x01', '\xff', '\r'};
    link.ReceiveData(nul, 4);
    EXPECT_FALSE(acq().NewValue);
}

TEST_F(Link, StartUpReportsAMissingPortAndSendsTheIf4mCommands) {
    readout.SetAvailable(false);
    op.ExpectError();
    StartWith("[Einstellungen]\nIFNAME=if4m\n");
    EXPECT_EQ(op.shown.back(), "error: COM1 Error");
    // A device the user may not open: the device, the system's reason and the way to the right.
    readout.openError = "Permission denied";
    readout.openRefused = true;
    op.ExpectError();
    StartWith("[Einstellungen]\nIFNAME=if4m\n[Ports]\nCOM1=/dev/ttyUSB0\n");
    EXPECT_EQ(op.shown.back(), Ansi("error: COM1 Error: /dev/ttyUSB0 kann nicht geöffnet werden (Permission denied)\n"
                                    "Der Benutzer darf /dev/ttyUSB0 nicht öffnen. Auf Debian gehört die Schnittstelle "
                                    "der Gruppe dialout: \"sudo adduser BENUTZER dialout\", danach neu anmelden."));
    readout.SetAvailable(true);
    StartWith("[Einstellungen]\nIFNAME=IF4M\n");
    ASSERT_GE(readout.requests.size(), 3u);
    EXPECT_EQ(readout.requests[0], "D0");
    EXPECT_EQ(readout.requests[2], "E2");
}

TEST_F(Link, StartUpAsksToResetAnOffsetSystem) {
    op.ExpectAsk(true);
    StartWith("[PARAMETER]\nOFFSETW=10000\n");
    EXPECT_EQ(D(settings().OffsetW), 0.0);
    EXPECT_EQ(op.shown.back(), "ask: " + Ansi("Koordinatensystem zurücksetzen ?"));
}

TEST_F(Link, FootSwitchModeFromTheSettingsCapturesPairsOfLines) {
    StartWith("[PARAMETER]\nTR_MODE=1\n");
    EXPECT_TRUE(w->SpeedButton24Enabled());
    EXPECT_EQ(w->LV1, "----");
    EXPECT_FALSE(w->FormKeyDown(kKeySpace));  // Space does not capture here
    Teach();
    readout.Push("01A   1.000");
    session->timers.Advance(40);
    EXPECT_EQ(w->PointCount(), 0);
    readout.Push("01A   3.000");  // a second X line overwrites the first
    readout.Push("02A   2,500");
    session->timers.Advance(40);
    ASSERT_EQ(w->PointCount(), 1);
    EXPECT_EQ(w->ListBox1().Items()[0], "   3.000 :    2.500");
    EXPECT_EQ(w->LB_list(), std::vector<std::string>{"GETPOINT:"});
    EXPECT_EQ(op.beeps, 1);
    readout.Push("nothing to see");
    session->timers.Advance(40);
    EXPECT_EQ(w->PointCount(), 1);
    Run(CommandId::KeyboardTrigger);  // back to the keyboard
    EXPECT_FALSE(w->SpeedButton24Enabled());
    EXPECT_EQ(settings().TriggerMode, 0);
    EXPECT_TRUE(w->Timersend.Enabled());
}

TEST_F(Link, TwoAxisLinesCaptureOnePointEach) {
    StartWith("[PARAMETER]\nTR_MODE=1\n", "[PARAMETER]\nAUTOTRIGGER=1\n");
    readout.Push("X  12.5000   Y   -3.2500");  // 24 characters: X in 3-11, Y in 16-24
    readout.Push("X   1.0000   Y    2.0000");
    session->timers.Advance(40);
    EXPECT_EQ(w->ListBox1().Items(), (std::vector<std::string>{"  12.500 :   -3.250", "   1.000 :    2.000"}));
}

// "COMx" names its own port, whatever the number; a port that does not exist is reported and
// never replaced by COM1's device.
TEST_F(Link, EveryPortNumberOpensItsOwnDevice) {
    StartWith("[Ports]\nCOM1=/dev/first\nCOM5=/dev/fifth\n", "[PARAMETER]\nCOMx=5\n");
    EXPECT_EQ(readout.openedDevice, "/dev/fifth");
    w.reset();
    StartWith("[Ports]\nCOM1=/dev/first\n", "[PARAMETER]\nCOMx=7\n");
    EXPECT_EQ(readout.openedDevice, "/dev/ttyS6");
    w.reset();
    readout.openedDevice.clear();
    op.ExpectError();
    StartWith("[Ports]\nCOM1=/dev/first\n", "[PARAMETER]\nCOMx=0\n");
    EXPECT_EQ(op.shown.back(), "error: COM0 Error");
    EXPECT_EQ(readout.openedDevice, "");  // nothing was opened in its place
}

TEST_F(Link, RtsIsSetAsTheProfileSaysAfterOpening) {
    readout.rts = true;  // a port that opens with RTS raised
    StartWith("", "[PARAMETER]\nRTS=0\n");
    EXPECT_FALSE(readout.rts);
    w.reset();
    StartWith("", "[PARAMETER]\nRTS=1\n");
    EXPECT_TRUE(readout.rts);
    EXPECT_EQ(w->Link().view.Flow, "RTS on");
}

// The profile's line settings reach the device as the port component applies them.
TEST_F(Link, LineSettingsReachTheDevice) {
    const struct {
        const char* profile;
        int baud, dataBits, parity, stopBits;
        bool rtsCts;
    } cases[] = {
        {"BAUD=19200\nBYTELEN=7\nPARITY=2\nSTOPBITS=2\nUSE_RTS=1\n", 19200, 7, 2, 2, true},
        {"BAUD=4800\nBYTELEN=8\nPARITY=3\nSTOPBITS=1\n", 4800, 8, 3, 0, false},   // mark parity
        {"BAUD=56000\nBYTELEN=5\nPARITY=4\n", 28800, 5, 4, 0, false},             // space; 56000 runs at 28800
        {"BAUD=12345\nBYTELEN=9\nPARITY=7\nSTOPBITS=3\n", 9600, 8, 0, 0, false},  // out of range: defaults
    };
    for (const auto& c : cases) {
        w.reset();
        op.shown.clear();
        const bool refused = std::string(c.profile).find("12345") != std::string::npos;
        if (refused) {  // BAUD, BYTELEN and STOPBITS are said, once each
            op.ExpectError();
            op.ExpectError();
            op.ExpectError();
        }
        StartWith("", std::string("[PARAMETER]\n") + c.profile);
        EXPECT_EQ(op.shown.size(), refused ? 3u : 0u) << c.profile;
        const SerialSettings& s = readout.applied;
        EXPECT_EQ(s.baud, c.baud) << c.profile;
        EXPECT_EQ(s.dataBits, c.dataBits) << c.profile;
        EXPECT_EQ(s.parity, c.parity) << c.profile;
        EXPECT_EQ(s.stopBits, c.stopBits) << c.profile;
        EXPECT_EQ(s.rtsCts, c.rtsCts) << c.profile;
    }
}

TEST_F(Link, TheMarkerShowlogoAsksForTheLogoForm) {
    dir.Write("showlogo", "");
    int shown = 0;
    Slot<> count([&] { ++shown; });
    session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
    session->serialDevice = &readout;
    w = std::make_unique<MainWindow>(*session);
    w->Link().ShowLogo.Attach(count);
    w->FormCreate();
    session->timers.Advance(500);
    EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace tarvo
