// The numbered UI texts (`common_list`) and result names (`result_names`) that every message,
// prompt and result line takes by index. Built in with the German texts; a language file may
// replace them, keeping order and count.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/fileio.h"

namespace tarvo {

// 0-38 are the numbered texts of the window and its dialogs; from 39 on come the messages the
// program composes, German patterns with "%1", "%2" ... for the parts filled in.
inline constexpr std::size_t kNumberedTexts = 39;
inline constexpr std::size_t kCommonListSize = 246;
// Numbered texts the code takes by number (`UiText`), with their German wording.
inline constexpr int kTextTooFewPoints = 13;           // "Zuwenig Punkte"
inline constexpr int kTextReportTitle = 14;            // "TARVO Meßprotokoll"
inline constexpr int kTextDeleteLastLine = 15;         // "< Letzte Zeile löschen >"
inline constexpr int kTextStartTeachIn = 16;           // "Lernbetrieb starten"
inline constexpr int kTextTeachInActive = 17;          // "Lernbetrieb: aktiv"
inline constexpr int kTextEndTeachIn = 19;             // "Lernbetrieb beenden ?"
inline constexpr int kTextEscAborts = 20;              // "<ESC>=Abbruch"
inline constexpr int kTextAbortTeachIn = 21;           // "Lernbetrieb abbrechen ?"
inline constexpr int kTextRunAborted = 22;             // "Wiederholung abgebrochen !"
inline constexpr int kTextRunFinished = 23;            // "Wiederholung beendet !"
inline constexpr int kTextClearAll = 24;               // "Alle Speicher löschen ?"
inline constexpr int kTextResetCoordinates = 25;       // "Koordinatensystem zurücksetzen ?"
inline constexpr int kTextOffset = 26;                 // "Versatz"
inline constexpr int kTextInspector = 27;              // "Prüfer"
inline constexpr int kTextBatch = 28;                  // "Charge"
inline constexpr int kTextPartName = 29;               // "Teilename"
inline constexpr int kTextXCoordinate = 30;            // "X-Koordinate"
inline constexpr int kTextYCoordinate = 31;            // "Y-Koordinate"
inline constexpr int kTextPointEntry = 32;             // "Punkteingabe"
inline constexpr int kTextClearPoints = 33;            // "Punktespeicher löschen ?"
inline constexpr int kTextDeleteProgramLine = 34;      // "Letzte Programmzeile löschen ?"
inline constexpr int kTextDeletePrecedingPoints = 35;  // "Vorangegange Punkte aus dem Programm löschen ?"
inline constexpr int kTextDeleteResultLine = 36;       // "Letzte Speicherzeile löschen ?"
inline constexpr int kTextTeachInInactive = 37;        // "Lernbetrieb: inaktiv"
inline constexpr int kTextCircleCentre = 38;           // "Kreismittelpunkt"
// Messages the code composes by number.
inline constexpr int kMsgLinkDown = 99;             // "getrennt", the display while the readout is unplugged
inline constexpr int kMsgLinkLost = 100;            // the readout unplugged, with its device
inline constexpr int kMsgListSetAside = 101;        // an unreadable result list kept under another name
inline constexpr int kMsgListNotSaved = 102;        // an unreadable result list that stays where it is
inline constexpr int kMsgNotOverwritten = 103;      // an unreadable file the program would write
inline constexpr int kMsgFileDamaged = 104;         // a damaged file that is not used, with the reason
inline constexpr int kMsgFileUtf8 = 105;            // a file in UTF-8, read converted
inline constexpr int kMsgFileCut = 106;             // a file cut off in its last line
inline constexpr int kMsgBinaryBytes = 107;         // the reason: binary bytes
inline constexpr int kMsgLongLine = 108;            // the reason: a line over the limit
inline constexpr int kMsgNotPicture = 110;          // the report's logo cannot be read as a picture
inline constexpr int kMsgReportSaved = 68;          // the report written as PDF, with its file
inline constexpr int kMsgFieldNotNumber = 112;      // a typed field that is not a number
inline constexpr int kMsgCaptureOffline = 113;      // a capture while the readout is unplugged
inline constexpr int kMsgRunSummary = 114;          // the end of a run: lines, features, good, bad
inline constexpr int kMsgScaleInactive = 115;       // why the scale fields are inactive (foot switch)
inline constexpr int kMsgChooseEntry = 117;         // a chooser's OK without a selected entry
inline constexpr int kMsgPrintPreview = 118;        // the print preview's title
inline constexpr int kMsgSaveAsPdf = 119;           // the preview's action that writes a PDF file
inline constexpr int kMsgComOpenFailed = 122;       // a serial port that cannot be opened, with the reason
inline constexpr int kMsgComRefused = 123;          // how to get the right to open it (group dialout)
inline constexpr int kMsgJournalDamaged = 153;      // the journal file cannot be used (why)
inline constexpr int kMsgJournalUnreachable = 154;  // the journal's server is away (why)
inline constexpr int kMsgJournalRefused = 155;      // the server refused the login (its reason)
inline constexpr int kMsgJournalReachable = 156;    // the server is back
inline constexpr int kMsgJournalPassword = 157;     // the password file is missing or too open (file)
inline constexpr int kMsgJournalFailed = 158;       // a part could not be written (why)
// The statistics window and report, the journal's sending.
inline constexpr int kMsgStatTitle = 159;         // the statistics report's title (program, feature)
inline constexpr int kMsgStatRunChart = 160;      // the run chart's title
inline constexpr int kMsgStatIndividuals = 161;   // the individuals chart's title
inline constexpr int kMsgStatMovingRange = 162;   // the moving-range chart's title
inline constexpr int kMsgStatHistogram = 163;     // the histogram's title
inline constexpr int kMsgStatMean = 164;          // figure: the mean
inline constexpr int kMsgStatSigmaWithin = 165;   // figure: sigma within (mean moving range / d2)
inline constexpr int kMsgStatSigmaOverall = 166;  // figure: sigma overall
inline constexpr int kMsgStatOutside = 167;       // figure: the share out of tolerance
inline constexpr int kMsgStatPeriod = 168;        // figure: the dates and stations taken
inline constexpr int kMsgStatAll = 169;           // any date or station
inline constexpr int kMsgStatSaved = 170;         // the statistics file written (file)
inline constexpr int kMsgStatWindow = 171;        // the statistics window's caption
inline constexpr int kMsgStatProgram = 172;       // the statistics window: the program chooser
inline constexpr int kMsgStatFeature = 173;       // the statistics window: the feature chooser
inline constexpr int kMsgStatFrom = 174;          // the statistics window: the first date
inline constexpr int kMsgStatTo = 175;            // the statistics window: the date the parts end before
inline constexpr int kMsgStatStations = 176;      // the statistics window: the stations
inline constexpr int kMsgStatShow = 177;          // the statistics window: show the choice
inline constexpr int kMsgStatPrint = 178;         // the statistics window: print the report
inline constexpr int kMsgStatPdf = 179;           // the statistics window: the report as a PDF file
inline constexpr int kMsgStatCsv = 180;           // the statistics window: the values and figures as CSV
inline constexpr int kMsgStatNoJournal = 181;     // the statistics window without a journal
inline constexpr int kMsgJournalSending = 182;    // the parts being sent to the server (count)
inline constexpr int kMsgNoEntries = 183;         // a chooser opened on an empty list
inline constexpr int kMsgPointsFor = 184;         // a replay's wait without a "Text:" line (word)
inline constexpr int kMsgFilterNames = 185;       // the file dialogs' filter names, kFilterNames of them
inline constexpr int kFilterNames = 7;
inline constexpr int kMsgCameraNone = 192;      // no camera is there
inline constexpr int kMsgCameraStopped = 193;   // the camera delivers no picture (its name)
inline constexpr int kMsgEdgeNone = 194;        // no edge near the click
inline constexpr int kMsgEdgeWeak = 195;        // an edge too faint to place (its contrast)
inline constexpr int kMsgCircleNone = 196;      // the three seed edges make no circle
inline constexpr int kMsgVideoEdgeDue = 197;    // a program run waits for an edge probe
inline constexpr int kMsgVideoCircleDue = 198;  // a program run waits for a circle probe
inline constexpr int kMsgCameraCalMove = 199;   // camera calibration: move the stage, probe again
inline constexpr int kMsgCameraCalSaved = 200;  // camera calibration saved (pixel X, Y, turn, file)
inline constexpr int kMsgCameraCalBad = 201;    // camera calibration refused (why)
inline constexpr int kMsgCameraCalState = 202;  // the camera calibration in effect (X, Y, turn, date, standard)
// Geometric tolerances: the dialog's caption, the seven kinds' names (the definition lines'
// names), the refusals.
inline constexpr int kMsgGeoCaption = 203;
inline constexpr int kMsgGeoPosition = 204;  // the first of the seven kinds, in GeoKind's order
inline constexpr int kMsgGeoRoundness = 205;
inline constexpr int kMsgGeoStraightness = 206;
inline constexpr int kMsgGeoParallelism = 207;
inline constexpr int kMsgGeoPerpendicularity = 208;
inline constexpr int kMsgGeoAngularity = 209;
inline constexpr int kMsgGeoConcentricity = 210;
inline constexpr int kMsgGeoNoSelection = 211;
inline constexpr int kMsgGeoNotCircle = 212;
inline constexpr int kMsgGeoNotLine = 213;
inline constexpr int kMsgGeoNoPoints = 214;
inline constexpr int kMsgGeoZone = 215;
inline constexpr int kMsgGeoNoSize = 216;
inline constexpr int kMsgGeoNoDatum = 217;
inline constexpr int kMsgGeoSameLine = 218;
inline constexpr int kMsgGeoNoDeviation = 219;
inline constexpr int kMsgGeoNoForm = 220;
inline constexpr int kMsgNoReference = 221;       // no reference element (method, why)
inline constexpr int kMsgReferenceStatus = 222;   // the status bar: circle and line reference
inline constexpr int kMsgReevaluate = 223;        // the chooser of the re-evaluation (title)
inline constexpr int kMsgNoKeptPoints = 224;      // the selected line keeps no points
inline constexpr int kMsgWhiskerFactor = 225;     // the element graphic: deviations magnified (factor)
inline constexpr int kMsgUnknownReference = 226;  // a program line names no reference element
// Why the calibration file is damaged, and the error grid's calibration.
inline constexpr int kMsgCalFileUnreadable = 227;
inline constexpr int kMsgCalFileNoDate = 228;
inline constexpr int kMsgCalFileNotNumber = 229;
inline constexpr int kMsgCalFileFactor = 230;        // a factor over 1 % (axis)
inline constexpr int kMsgCalFileTooManyMarks = 231;  // (most, axis)
inline constexpr int kMsgCalFileMarkOrder = 232;     // (axis)
inline constexpr int kMsgCalFileMarkSlope = 233;     // (axis)
inline constexpr int kMsgCalFileSquareness = 234;
inline constexpr int kMsgCalFileGrid = 235;       // a grid of no possible shape (columns, rows, steps, nodes)
inline constexpr int kMsgCalGridSlope = 236;      // the grid corrects over 1 % between two nodes (node)
inline constexpr int kMsgCalPromptGrid = 237;     // (node, nodes, column, row)
inline constexpr int kMsgCalGrid = 238;           // the grid's figures
inline constexpr int kMsgCalGridOff = 239;        // a node probed away from its place (node)
inline constexpr int kMsgCalWindowCaption = 240;  // the calibration window's caption
// What each standard asks of the operator (the calibration window's guide).
inline constexpr int kMsgCalGuideLength = 241;
inline constexpr int kMsgCalGuideMarks = 242;
inline constexpr int kMsgCalGuideSquare = 243;
inline constexpr int kMsgCalGuideTurn = 244;
inline constexpr int kMsgCalGuideGrid = 245;
inline constexpr int kMsgNotAllowed = 116;  // a serial setting of the interface profile the port
                                            // cannot take, and what it takes instead
// The machine calibration: status, refusals, prompts, figures, the details typed.
inline constexpr int kMsgCalibrated = 124;
inline constexpr int kMsgCalibrationOverdue = 125;
inline constexpr int kMsgCalibrationDamaged = 126;
inline constexpr int kMsgUncorrected = 127;
inline constexpr int kMsgCalTooFew = 128;
inline constexpr int kMsgCalOrder = 129;
inline constexpr int kMsgCalTooLarge = 130;
inline constexpr int kMsgCalTooMany = 131;
inline constexpr int kMsgCalRefused = 132;
inline constexpr int kMsgCalSave = 133;
inline constexpr int kMsgCalReplaceDamaged = 134;
inline constexpr int kMsgCalPromptLength = 135;
inline constexpr int kMsgCalPromptMark = 136;
inline constexpr int kMsgCalPromptEdge = 137;
inline constexpr int kMsgCalPromptTurn = 138;
inline constexpr int kMsgCalPromptDone = 139;
inline constexpr int kMsgCalLength = 140;
inline constexpr int kMsgCalMark = 141;
inline constexpr int kMsgCalAngle = 142;
inline constexpr int kMsgCalSummary = 143;
inline constexpr int kMsgCalReport = 144;
inline constexpr int kMsgCalSaved = 145;
inline constexpr int kMsgCalNoStandard = 146;
inline constexpr int kMsgCalCertificate = 147;
inline constexpr int kMsgCalOperator = 148;
inline constexpr int kMsgCalStandard = 149;
inline constexpr int kMsgCalCertNo = 150;
inline constexpr int kMsgCalTemperature = 151;
inline constexpr int kMsgCalNothing = 152;
inline constexpr std::size_t kResultNamesSize = 24;
// The result names (`ResultName`, `Label`), with their German wording.
inline constexpr int kResultCircle = 0;             // "Kreis"
inline constexpr int kResultDiameter = 1;           // "D", a circle's size as a diameter
inline constexpr int kResultRadius = 2;             // "R", a circle's size as a radius
inline constexpr int kResultDistanceTwoPoints = 3;  // "Abstand 2P"
inline constexpr int kResultDistanceLinePoint = 4;  // "Abstand GP"
inline constexpr int kResultAngle = 5;              // "Winkel"
inline constexpr int kResultLine = 6;               // "Gerade"
inline constexpr int kResultPoint = 7;              // "Punkt"
inline constexpr int kResultSymmetryLine = 8;       // "Symetriegerade"
inline constexpr int kResultDistanceX = 9;          // "Abstand X"
inline constexpr int kResultDistanceY = 10;         // "Abstand Y"
inline constexpr int kResultCompareNominal = 11;    // "Soll-Ist Vergleich NW"
inline constexpr int kResultComparePosition = 12;   // "Soll-Ist Vergleich PT"
inline constexpr int kResultCompareAttribute = 13;  // "Soll-Ist Vergleich A"
inline constexpr int kResultUpperTol = 14;          // "OT"
inline constexpr int kResultLowerTol = 15;          // "UT"
inline constexpr int kResultPage = 16;              // "Seite", the report's page
inline constexpr int kResultOffsetX = 17;           // "Versatz    X"
inline constexpr int kResultOffsetY = 18;           // "Versatz    Y"
inline constexpr int kResultAlignTwoLines = 19;     // "Ausrichtung 2 G"
inline constexpr int kResultAlignOneLine = 20;      // "Ausrichtung 1 G"
inline constexpr int kResultAlignPointLine = 21;    // "Ausrichtung K G"
inline constexpr int kResultZero = 22;              // "Nullen"
inline constexpr int kResultArea = 23;              // "Fläche"
// The caption of the result list's header label `lb1_label`, column by column, in German; a
// language file replaces it with words that stand above the same columns.
inline constexpr const char* kResultListHeader =
    " #  Merkmal               Ergebnis    X-Pos.    Y-Pos     Abw.         .";

class UiTexts final {
public:
    UiTexts();
    // UI text n; RangeError outside 0..38.
    [[nodiscard]] const std::string& UiText(int n) const;
    // Result name n; RangeError outside 0..23.
    [[nodiscard]] const std::string& ResultName(int n) const;

    [[nodiscard]] const std::vector<std::string>& common_list() const noexcept { return m_common; }
    [[nodiscard]] const std::vector<std::string>& result_names() const noexcept { return m_results; }
    // A message composed in German (by the core, which writes German) in the loaded language:
    // the message patterns from 39 on are matched against it, and the translated pattern is
    // filled with the same parts. Unchanged when no pattern matches or German is loaded.
    [[nodiscard]] std::string Translate(std::string_view message) const;
    // Message pattern n filled with `parts` for %1, %2 ...
    [[nodiscard]] std::string Compose(int n, std::initializer_list<std::string_view> parts) const;
    // Replaces entry n (language loading); RangeError outside the list.
    void SetUiText(int n, std::string text);
    void SetResultName(int n, std::string text);
    // The result list's column header (`lb1_label`) in the loaded language: the report prints it.
    [[nodiscard]] const std::string& ResultListHeader() const noexcept { return m_header; }
    void SetResultListHeader(std::string text) { m_header = std::move(text); }

private:
    std::vector<std::string> m_common;
    std::vector<std::string> m_results;
    std::string m_header = kResultListHeader;
};

// What the operator is told of a damaged file the readers noted, in the loaded language.
[[nodiscard]] std::string DamagedFileMessage(const FileNote& note, const UiTexts& texts);

}  // namespace tarvo
