// The camera at the cross-hair through tarvo-cli: probes into the point memory and the program,
// their refusals, a replay that waits for the same probes, and the camera's calibration.
#include <gtest/gtest.h>

#include <sstream>

#include "coords/cameracalibration.h"
#include "scriptrunner.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

class CameraCli : public ::testing::Test {
protected:
    test::TempDir dir;
    FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    std::string out;
    int Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream os;
        ScriptRunner runner(in, os, dir.work(), dir.root(), clock);
        const int status = runner.Run();
        out = os.str();
        return status;
    }
};

TEST_F(CameraCli, ProbesAreCapturesAndRefusalsLeaveNothing) {
    // Taught: the 10 mm hole's left rim (x = 65) and a 1 mm standard at (70, 20); every refusal
    // in between neither captures nor records.
    ASSERT_EQ(
        Run("wait 500\nanswer ok\nclick SpeedButton11\n"
            "camera edge 640 360\ncamera on\ncamera at 65.5 20.3\nwait 100\ncamera edge 545 358\nclick SpeedButton5\n"
            "camera at 20 15\nwait 100\ncamera edge 640 360\n"
            "camera contrast 120 135\ncamera at 65.5 20.3\nwait 100\ncamera edge 545 358\n"
            "camera contrast 30 220\ncamera stop\ncamera edge 545 358\ncamera start\n"
            "camera standard 1 70 20\ncamera at 70 20\nwait 100\n"
            "camera circle 3 640 360 650 360 660 360\n"
            // A circle probe records a line for each point: deleting one deletes its line.
            "camera circle 8 739.5 359.5 590 275 590 445\ndelete-point 7\nkey F2\nprint points\nprint results\n"
            "answer ok\nfile teil\nclick SpeedButton12\n"
            // The replay waits for one edge, then for the circle's seven points.
            "camera sample\ncamera at 65.5 20.3\nfile teil\nclick SpeedButton13\nprint prompt\nwait 100\n"
            "camera edge 545 358\nwait 200\nwait 200\nprint prompt\ncamera standard 1 70 20\ncamera at 70 20\nwait "
            "100\n"
            "camera circle 7 739.5 359.5 590 275 590 445\nwait 2000\n"),
        kScriptOk);
    EXPECT_NE(out.find("error: Keine Kamera angeschlossen\nbeep\nerror: Keine Kante nahe der angeklickten Stelle\n"
                       "error: Kante zu schwach (Kontrast 14 Graustufen)\n"
                       "error: Die Kamera \"Simulierte Kamera\" liefert kein Bild\n"
                       "error: Keine Kante nahe der angeklickten Stelle\nbeep\n"),
              std::string::npos)
        << out;
    // The points are kept to 1 um in the memory.
    EXPECT_NE(out.find("--- results (2)\n  1 Punkt                                 65.010      20.309\n"
                       "  2 Kreis    7 D               1.000      70.000      20.001       0.001\n"),
              std::string::npos)
        << out;
    std::string program = "KRMODE:0\r\nWIMODE:0\r\nVIDEOKANTE:545.0:358.0\r\nPunkt:\r\n";
    for (int i = 0; i < 7; ++i) {
        program += "VIDEOKREIS:8:739.5:359.5:590.0:275.0:590.0:445.0\r\n";
    }
    EXPECT_EQ(dir.Read("prg/teil.PRG"), program + "Kreis:\r\n");
    EXPECT_NE(out.find("--- prompt (1)\n1 Kante im Kamerabild antasten\n"), std::string::npos) << out;
    EXPECT_NE(out.find("--- prompt (1)\n7 Kreis im Kamerabild antasten\n"), std::string::npos) << out;
    EXPECT_NE(out.find("7 Kreis im Kamerabild antasten\nbeep\ninfo: Wiederholung beendet !\\nErgebniszeilen: 2;"),
              std::string::npos)
        << out;
}

TEST_F(CameraCli, CalibrationFindsPixelSizeAndRotation) {
    // A camera with 4.8 x 5.1 um pixels turned by 2.5 degrees, a certified 1 mm circle; after the
    // calibration a 1 mm circle measures 1 mm.
    ASSERT_EQ(Run("wait 500\ncamera on\ncamera pixel 4.8 5.1\ncamera rotation 2.5\ncamera standard 1 0 0\n"
                  "camera at 0.05 0.02\nwait 100\n"
                  "camera calibrate finish 1 1 1 1 1 1\n"
                  "camera calibrate start 1 KR-117 530 363 700 292 629 460\n"
                  "camera at 0.05 0.025\nwait 100\ncamera calibrate finish 530 363 700 292 629 460\n"
                  "camera at -0.35 0.3\nwait 100\ncamera calibrate finish 618 418 782 348 712 515\n"
                  "camera status\ncamera standard 1 10 10\ncamera at 10.1 10\nwait 100\n"
                  "camera circle 24 522 360 688 289 618 455\nkey F2\nprint results\n"),
              kScriptOk);
    EXPECT_NE(out.find("error: Keine Kalibrierung begonnen\n"), std::string::npos) << out;
    EXPECT_NE(out.find("error: Kamerakalibrierung nicht möglich: der Tisch wurde zu wenig verfahren\n"),
              std::string::npos)
        << out;
    const CameraCalibrationState s = LoadCameraCalibration(dir.work() / kCameraCalibrationFile);
    ASSERT_EQ(s.status, CameraCalibrationStatus::Loaded) << out;
    EXPECT_NEAR(s.record.scale.pixelX, 0.0048, 0.0048 * 2e-4);
    EXPECT_NEAR(s.record.scale.pixelY, 0.0051, 0.0051 * 2e-4);
    EXPECT_NEAR(s.record.scale.rotation, 2.5, 0.01);
    EXPECT_EQ(s.record.standard, "KR-117");
    EXPECT_EQ(s.record.date.year, 2026);
    EXPECT_NE(out.find("  1 Kreis   24 D               1.000      10.000      10.000  "), std::string::npos) << out;
}

}  // namespace
}  // namespace tarvo
