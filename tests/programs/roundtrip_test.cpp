// Record and replay: a seeded random session of every command that records a program line is
// taught in, then its program is replayed with the same captures; the replay's result list must
// equal the teach-in's line for line. A difference means the series is judged on other values
// than the first part.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "app/mainwindow.h"
#include "app/scriptedoperator.h"
#include "base/cp1252.h"
#include "base/text.h"
#include "data/feature.h"
#include "data/resultline.h"
#include "elements/reference.h"
#include "geometry/lines.h"
#include "programs/geocompare.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

// Answers dialogs by kind from its queue; keeps what was shown; takes a copy of the result list
// when a run says it has ended (before the list before the run comes back).
class RoundTripOperator final : public ScriptedOperator {
public:
    RoundTripOperator() : ScriptedOperator(Order::ByKind) {}
    std::function<bool(FeatureDialog&)> feature;
    std::function<void()> runEnded;
    std::string runEndText;
    std::vector<std::string> shown;

    bool ShowFeatureDialog(FeatureDialog& d) override { return feature && feature(d); }
    bool ShowGeoToleranceDialog(GeoToleranceDialog& d) override {
        const auto a = Take("geotol", "geotol", "Tform_lage");
        return a && TypeGeoToleranceAnswer(d, *a) == GeoTyping::Ok;
    }
    bool WaitForPoints(int, int) override { return false; }
    void Beep() override {}
    bool Ask(const std::string& text, Buttons buttons) override {
        if (text == resetQuestion) {
            return true;  // both the teach-in and the replay start in the machine's system
        }
        return ScriptedOperator::Ask(text, buttons);
    }
    std::string resetQuestion;

private:
    void Shown(const std::string& kind, const std::string& text, const std::string*) override {
        shown.push_back(kind + ": " + text);
        if (kind == "info" && text.rfind(runEndText, 0) == 0 && runEnded) {
            runEnded();
        }
    }
    void Unanswered(const std::string& kind, const std::string& text) override {
        shown.push_back("UNANSWERED " + kind + ": " + text);
    }
    void Refused(const std::string& note) override { shown.push_back("REFUSED " + note); }
};

struct MachinePoint {
    long double x;
    long double y;
};

class Station {
public:
    explicit Station(const std::filesystem::path& work, const std::filesystem::path& root)
        : session(op, clock, work, root), w(session) {
        w.FormCreate();
        session.timers.Advance(500);  // language, list and link start (no serial line: one error)
        op.resetQuestion = w.UiText(25);
        op.runEndText = w.UiText(23);
    }

    // The stage at a machine position: the display shows it in the workpiece system.
    void MoveTo(const MachinePoint& p) {
        const Settings& s = session.settings;
        const XY q = RotateAboutOrigin(s.OffsetW, p.x - s.OffsetX, p.y - s.OffsetY);
        session.run.CurrentPos = {q.x, q.y};
    }
    void Capture(const MachinePoint& p) {
        MoveTo(p);
        Noting(CommandId::Capture, [this] { w.FormKeyDown(kKeySpace); });
    }
    // Clicks a command's control; notes the command when it wrote its row's word.
    void Click(CommandId id) {
        Noting(id, [this, id] { (void)w.Run(CommandOf(id)); });
    }
    void Noting(CommandId id, const std::function<void()>& act) {
        const std::string_view word = CommandOf(id).programWord;
        const auto count = [&] {
            return std::count_if(w.LB_list().begin(), w.LB_list().end(),
                                 [word](const std::string& line) { return line.rfind(word, 0) == 0; });
        };
        const auto before = count();
        const int lines = w.lb1().Count();
        act();
        if (!word.empty() && count() > before) {
            wroteWord.insert(id);
        }
        const int name = CommandOf(id).resultName;
        for (int i = lines; name >= 0 && i < w.lb1().Count(); ++i) {
            if (HasResultName(w.lb1().Line(i), name, w.texts())) {
                listedName.insert(id);
            }
        }
    }
    std::set<CommandId> wroteWord;
    std::set<CommandId> listedName;  // commands that listed a line of their row's result name

    RoundTripOperator op;
    FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    Session session;
    MainWindow w;
};

// One step of a session: the points captured before it and what the operator does.
struct Step {
    std::vector<MachinePoint> points;
    std::function<void(Station&)> act;
    std::string what;
};

class SessionMaker {
public:
    explicit SessionMaker(unsigned seed) : m_rng(seed) {}

    std::vector<Step> Make(int steps) {
        std::vector<Step> out;
        for (int i = 0; i < steps; ++i) {
            out.push_back(Draw());
        }
        return out;
    }

    // The answers the replay asks again (attributive judgements, the export's inputs), in order.
    std::vector<std::pair<std::string, std::string>> replayAnswers;

private:
    long double U(long double a, long double b) { return std::uniform_real_distribution<long double>(a, b)(m_rng); }
    int I(int a, int b) { return std::uniform_int_distribution<int>(a, b)(m_rng); }
    long double Round3(long double v) { return std::round(v * 1000) / 1000; }
    MachinePoint P() { return {Round3(U(-60, 60)), Round3(U(-40, 40))}; }
    std::vector<MachinePoint> Circle(int n, long double cx, long double cy, long double r) {
        std::vector<MachinePoint> v;
        const long double start = U(0, 360);
        for (int i = 0; i < n; ++i) {
            const long double a = (start + i * 360.0L / n + U(-10, 10)) * 3.14159265358979L / 180;
            v.push_back({Round3(cx + r * std::cos(a)), Round3(cy + r * std::sin(a))});
        }
        return v;
    }
    std::vector<MachinePoint> Line(int n) {
        const MachinePoint a = P();
        const long double dir = U(0, 360) * 3.14159265358979L / 180;
        std::vector<MachinePoint> v;
        for (int i = 0; i < n; ++i) {
            const long double t = 5 + i * U(3, 8);
            v.push_back({Round3(a.x + t * std::cos(dir) + U(-0.01L, 0.01L)), Round3(a.y + t * std::sin(dir))});
        }
        return v;
    }
    static std::vector<MachinePoint> Join(std::vector<MachinePoint> a, const std::vector<MachinePoint>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    static void Click(Station& s, CommandId id) { s.Click(id); }
    static bool Recorded(Station& s, const std::string& word) {
        return !s.w.LB_list().empty() && s.w.LB_list().back().rfind(word, 0) == 0;
    }
    // A result line to work on, drawn among the lines the list holds when the step runs.
    int Line(Station& s, int draw) { return s.w.lb1().Count() == 0 ? -1 : draw % s.w.lb1().Count(); }

    Step Draw() {
        const int kind = I(0, 20);
        const int draw = I(0, 1 << 20);
        switch (kind) {
            case 0: {
                const int n = I(3, 6);
                return {Circle(n, U(-30, 30), U(-20, 20), U(2, 20)), [](Station& s) { Click(s, CommandId::Circle); },
                        "circle"};
            }
            case 1:
                return {{P(), P()}, [](Station& s) { Click(s, CommandId::DistanceTwoPoints); }, "distance"};
            case 2:
                return {{P(), P(), P()}, [](Station& s) { Click(s, CommandId::DistanceLinePoint); }, "line-point"};
            case 3: {
                const std::string k = std::to_string(I(1, 2));
                return {{P(), P()},
                        [k](Station& s) {
                            s.op.Queue("choose", k);
                            Click(s, CommandId::AxisDistance);
                        },
                        "x/y " + k};
            }
            case 4: {
                const std::string k = std::to_string(I(1, 4));
                return {Join(Line(2), Line(2)),
                        [k](Station& s) {
                            s.op.Queue("choose", k);
                            Click(s, CommandId::Angle);
                        },
                        "angle " + k};
            }
            case 5: {
                const std::string k = std::to_string(I(1, 4));
                return {Line(I(2, 5)),
                        [k](Station& s) {
                            s.op.Queue("choose", k);
                            Click(s, CommandId::Line);
                        },
                        "line " + k};
            }
            case 6:
                return {{P()}, [](Station& s) { Click(s, CommandId::Point); }, "point"};
            case 7: {
                const std::string x = FormatReal(U(-50, 50), 0, 3);
                const std::string y = FormatReal(U(-50, 50), 0, 3);
                return {{},
                        [x, y](Station& s) {
                            s.op.Queue("input", x);
                            s.op.Queue("input", y);
                            Click(s, CommandId::PointEntry);
                        },
                        "point entry"};
            }
            case 8:
                return {Join(Line(2), Line(2)), [](Station& s) { Click(s, CommandId::SymmetryLine); }, "symmetry"};
            case 9: {
                const long double cx = U(-20, 20);
                const long double cy = U(-20, 20);
                const long double r = U(5, 15);
                const MachinePoint a{Round3(cx - 2 * r), Round3(cy + U(-r / 2, r / 2))};
                const MachinePoint b{Round3(cx + 2 * r), Round3(cy + U(-r / 2, r / 2))};
                return {Join(Circle(3, cx, cy, r), {a, b}), [](Station& s) { Click(s, CommandId::CircleLine); },
                        "circle-line"};
            }
            case 10: {
                const long double cx = U(-20, 20);
                const long double cy = U(-20, 20);
                const long double r = U(5, 15);
                return {Join(Circle(3, cx, cy, r), Circle(3, cx + r, cy + U(-2, 2), r * U(0.8L, 1.2L))),
                        [](Station& s) { Click(s, CommandId::CircleCircle); }, "circle-circle"};
            }
            case 11:
                return {{},
                        [this, draw](Station& s) {
                            const int i = Line(s, draw);
                            if (i >= 0) {
                                s.w.lb1().SetItemIndex(i);
                            }
                            Click(s, CommandId::AreaFromCircle);
                        },
                        "area from circle"};
            case 12:
                return CoordinateStep();
            case 13:
            case 14: {
                const int k = I(0, 2);
                const std::string name = k == 2 ? "Lage:links" : "Merkmal " + std::to_string(draw % 100);
                const bool good = I(0, 1) == 1;
                const long double a = Round3(U(-20, 20));
                const long double b = Round3(U(0.01L, 0.5L));
                const long double c = Round3(U(-0.5L, 0));
                const long double factor = I(0, 3) == 0 ? 2 : 1;
                return {{},
                        [=, this](Station& s) {
                            const int i = Line(s, draw);
                            if (i < 0) {
                                return;
                            }
                            s.w.lb1().SetItemIndex(i);
                            s.op.feature = [=](FeatureDialog& d) {
                                d.SetPage(static_cast<FeatureDialog::Page>(k));
                                d.Text(FeatureDialog::kName) = name;
                                if (k == 0) {
                                    d.Text(FeatureDialog::kNennwert) = FormatReal(a, 0, 4);
                                    d.Text(FeatureDialog::kOT) = FormatReal(b, 0, 4);
                                    d.Text(FeatureDialog::kUT) = FormatReal(c, 0, 4);
                                    d.Text(FeatureDialog::kFaktor) = FormatReal(factor, 0, 4);
                                } else if (k == 1) {
                                    d.Text(FeatureDialog::kPositionX) = FormatReal(a, 0, 4);
                                    d.Text(FeatureDialog::kPositionY) = FormatReal(-a / 2, 0, 4);
                                    d.Text(FeatureDialog::kToleranz) = FormatReal(b, 0, 4);
                                } else {
                                    d.choice = good ? 0 : 1;
                                }
                                return d.Ok() == FeatureDialog::Closing::Ok;
                            };
                            const std::size_t before = s.w.LB_list().size();
                            Click(s, CommandId::Comparison);
                            // Only a comparison this step recorded asks again (a refused one
                            // leaves the previous line last).
                            if (s.w.LB_list().size() > before && Recorded(s, "SOLLIST-A:")) {
                                replayAnswers.emplace_back("answer", good ? "yes" : "no");
                            }
                        },
                        "comparison " + std::to_string(k)};
            }
            case 15: {
                const std::string text = draw % 2 == 0 ? Ansi("Prüfung: Welle ") + std::to_string(draw % 7) : "Bohrung";
                return {{},
                        [text](Station& s) {
                            s.op.Queue("textline", "append " + text);
                            Click(s, CommandId::TextLine);
                        },
                        "text"};
            }
            case 16: {
                const bool asPoint = I(0, 1) == 1;
                return {{},
                        [this, draw, asPoint](Station& s) {
                            const int i = Line(s, draw);
                            if (i < 0) {
                                return;
                            }
                            s.w.lb1().SetItemIndex(i);
                            s.op.Queue("answer", asPoint ? "yes" : "no");  // a circle: its centre, or three points
                            s.w.lb1DblClick();
                        },
                        "recall"};
            }
            case 17:
                return {{},
                        [this](Station& s) {
                            s.op.Queue("input", "Teil:7");
                            s.op.Queue("input", "Pruefer");
                            s.op.Queue("input", "L1");
                            const std::size_t before = s.w.LB_list().size();
                            Click(s, CommandId::AsciiExport);
                            if (s.w.LB_list().size() > before && Recorded(s, "ASCII:")) {
                                replayAnswers.emplace_back("input", "Pruefer");
                                replayAnswers.emplace_back("input", "L1");
                            }
                        },
                        "ascii"};
            case 18:
                return {{}, [](Station& s) { Click(s, CommandId::PrintReport); }, "report"};
            case 19:
                return GeoStep(draw);
            default: {
                if (draw % 3 == 0) {
                    return FitStep(draw);
                }
                const std::string answer = std::to_string(I(0, 1)) + " " + std::to_string(I(0, 1));
                return {{},
                        [answer](Station& s) {
                            s.op.Queue("system", answer);
                            Click(s, CommandId::SystemSettings);
                        },
                        "system " + answer};
            }
        }
    }

    // A geometric tolerance of a drawn line against a drawn datum: many draws are refused (no
    // circle, no line, no kept points), and a refusal must not be recorded either.
    Step GeoStep(int draw) {
        static const char* const kKinds[] = {"pos",           "round",   "straight",  "parallel",
                                             "perpendicular", "angular", "concentric"};
        const int k = I(0, 6);
        const int other = I(0, 1 << 20);
        const std::string zone = FormatReal(U(0.005L, 0.2L), 0, 4);
        const std::string name = "GT-" + std::to_string(draw % 50);
        std::string rest;
        switch (k) {
            case 0: {
                static const char* const kMc[] = {"RFS", "MMC", "LMC"};
                rest = FormatReal(U(-30, 30), 0, 3) + " " + FormatReal(U(-20, 20), 0, 3) + " " + zone + " " +
                       kMc[I(0, 2)] + " " + FormatReal(U(4, 40), 0, 3) + " 0.1 0 " + (I(0, 1) == 1 ? "hole" : "shaft");
                break;
            }
            case 1:
                rest = zone + " " + (I(0, 1) == 1 ? "MZCI" : "LSCI");
                break;
            case 2:
                rest = zone + " " + (I(0, 1) == 1 ? "MZLI" : "OWN");
                break;
            case 5:
                rest = "@ " + FormatReal(U(10, 80), 0, 2) + " " + zone;
                break;
            default:
                rest = "@ " + zone;
                break;
        }
        const bool circles = k == 0 || k == 1 || k == 6;
        // The feature is measured first: a circle or a line of its own.
        std::vector<MachinePoint> points = circles ? Circle(I(3, 6), U(-30, 30), U(-20, 20), U(2, 20)) : Line(I(3, 5));
        return {points,
                [=](Station& s) {
                    if (circles) {
                        Click(s, CommandId::Circle);
                    } else {
                        s.op.Queue("choose", "1");
                        Click(s, CommandId::Line);
                    }
                    // The datum among the measured circles or lines (their points are kept);
                    // with none, any line (a refusal).
                    std::vector<int> fit;
                    const ResultList& list = s.w.lb1();
                    for (int n = 0; n < list.Count(); ++n) {
                        const bool circle = HasResultName(list.Line(n), kResultCircle, s.w.texts());
                        if (!list.KeptPoints(n).empty() && circle == circles) {
                            fit.push_back(n);
                        }
                    }
                    if (list.Count() == 0) {
                        return;
                    }
                    const auto pick = [&](int d) {
                        return fit.empty() ? d % list.Count() : fit[static_cast<std::size_t>(d) % fit.size()];
                    };
                    const int i = list.Count() - 1;
                    int j = pick(other);
                    if (j == i && fit.size() > 1) {
                        j = pick(other + 1);
                    }
                    std::string r = rest;
                    if (const auto at = r.find('@'); at != std::string::npos) {
                        r.replace(at, 1, std::to_string(j + 1));
                    }
                    s.w.lb1().SetItemIndex(i);
                    s.op.Queue("geotol", std::string(kKinds[k]) + " " + name + " " + r);
                    Click(s, CommandId::GeoTolerance);
                },
                std::string("geotol ") + kKinds[k]};
    }

    // The station's reference elements, chosen while teaching in (recorded as they change).
    static Step FitStep(int draw) {
        const char* circle = kCircleReferences[static_cast<std::size_t>(draw / 3) % kCircleReferences.size()];
        const char* line = kLineReferences[static_cast<std::size_t>(draw / 7) % kLineReferences.size()];
        return {{},
                [circle, line](Station& s) {
                    (void)ChooseReference(s.w.Context(), ReferenceKind::Circle, circle);
                    (void)ChooseReference(s.w.Context(), ReferenceKind::Line, line);
                },
                std::string("fit ") + circle + " " + line};
    }

    Step CoordinateStep() {
        const int entry = I(0, 13);
        const std::string value = FormatReal(U(-5, 5), 0, 3);
        const std::string k = std::to_string(I(1, 2));
        const std::string axis = I(0, 1) == 1 ? "yes" : "no";
        switch (entry) {
            case 4:
                return {Join(Line(2), Line(2)),
                        [k](Station& s) {
                            s.op.Queue("choose", "4");
                            s.op.Queue("choose", k);
                            Click(s, CommandId::CoordinateSystem);
                        },
                        "align two lines"};
            case 5:
            case 6:
                return {Line(entry == 5 ? 3 : 4),
                        [entry, axis](Station& s) {
                            s.op.Queue("choose", std::to_string(entry));
                            s.op.Queue("answer", axis);
                            Click(s, CommandId::CoordinateSystem);
                        },
                        "align line " + std::to_string(entry)};
            case 9:
                return {{P()},
                        [](Station& s) {
                            s.op.Queue("choose", "9");
                            Click(s, CommandId::CoordinateSystem);
                        },
                        "zero point"};
            case 7:
            case 8:
                // Zeroing takes the stage where it stands: a capture puts it there in both runs.
                return {{P()},
                        [entry](Station& s) {
                            s.op.Queue("choose", std::to_string(entry));
                            Click(s, CommandId::CoordinateSystem);
                        },
                        "chooser zero"};
            case 10:
            case 11:
                return {{P()},
                        [entry](Station& s) { Click(s, entry == 10 ? CommandId::ZeroX : CommandId::ZeroY); },
                        "zero button"};
            case 12:
            case 13:
                return {{},
                        [entry, value](Station& s) {
                            s.op.Queue("input", value);
                            Click(s, entry == 12 ? CommandId::OffsetX : CommandId::OffsetY);
                        },
                        "offset key"};
            default:
                return {{},
                        [entry, value](Station& s) {
                            s.op.Queue("choose", std::to_string(entry));
                            s.op.Queue("input", value);
                            Click(s, CommandId::CoordinateSystem);
                        },
                        "chooser " + std::to_string(entry)};
        }
    }

    std::mt19937 m_rng;
};

std::string Describe(const std::vector<std::string>& lines) {
    std::ostringstream s;
    for (const auto& l : lines) {
        s << "  |" << l << "|\n";
    }
    return s.str();
}

// Teaches one seeded session, replays it, and returns what differs (empty when nothing). The
// words of the program go to `taughtWords`.
std::string RoundTrip(unsigned seed, const test::TempDir& dir, std::set<CommandId>& wroteWord,
                      std::set<CommandId>& listedName, std::vector<std::string>& taughtWords) {
    const auto work = dir.work() / ("s" + std::to_string(seed));
    std::filesystem::create_directories(work);
    Station s(work, dir.root());
    SessionMaker maker(seed);
    const std::vector<Step> steps = maker.Make(18);

    // Half the sessions start with other reference elements than the program's own; the replay
    // runs on a station set otherwise, so it must evaluate as the program says.
    if (seed % 2 == 1) {
        (void)ChooseReference(s.w.Context(), ReferenceKind::Circle, kCircleReferences[seed % 5]);
        (void)ChooseReference(s.w.Context(), ReferenceKind::Line, kLineReferences[seed % 3]);
    }
    s.op.Queue("answer", "ok");  // "Lernbetrieb starten ?"
    s.Click(CommandId::StartTeachIn);
    std::vector<MachinePoint> captures;
    std::string taught;
    for (const Step& step : steps) {
        for (const MachinePoint& p : step.points) {
            s.Capture(p);
            captures.push_back(p);
        }
        step.act(s);
        s.op.ClearQueue();
        taught += step.what + "; ";
    }
    const std::vector<std::string> teachList = s.w.lb1().Lines();
    const std::vector<std::string> program = s.w.LB_list();
    taughtWords.insert(taughtWords.end(), program.begin(), program.end());
    s.op.Queue("answer", "ok");  // "Lernbetrieb beenden ?"
    s.op.Queue("file", "rt");
    s.w.Run(CommandOf(CommandId::StopTeachIn));

    std::vector<std::string> replayList;
    bool ended = false;
    s.op.runEnded = [&] {
        replayList = s.w.lb1().Lines();
        ended = true;
    };
    (void)ChooseReference(s.w.Context(), ReferenceKind::Circle, "MCCI");
    (void)ChooseReference(s.w.Context(), ReferenceKind::Line, "LSLI");
    for (const auto& [kind, words] : maker.replayAnswers) {
        s.op.Queue(kind, words);
    }
    s.op.Queue("file", "rt.PRG");
    s.w.Run(CommandOf(CommandId::RunProgram));
    std::size_t next = 0;
    for (int guard = 0; !ended && guard < 10000; ++guard) {
        if (s.w.wb_timer.Enabled() && next < captures.size()) {
            s.Capture(captures[next++]);
        }
        s.session.timers.Advance(200);
    }
    wroteWord.insert(s.wroteWord.begin(), s.wroteWord.end());
    listedName.insert(s.listedName.begin(), s.listedName.end());
    std::ostringstream why;
    if (!ended) {
        why << "the replay did not end\n";
    }
    if (next != captures.size()) {
        why << "the replay took " << next << " of " << captures.size() << " captures\n";
    }
    if (replayList != teachList) {
        why << "result lists differ\nteach-in:\n" << Describe(teachList) << "replay:\n" << Describe(replayList);
    }
    if (why.str().empty()) {
        return {};
    }
    return "seed " + std::to_string(seed) + ": " + taught + "\n" + why.str() + "program:\n" + Describe(program) +
           "shown:\n" + Describe(s.op.shown);
}

TEST(RecordAndReplay, EveryReplayListsWhatItsTeachInListed) {
    test::TempDir dir;
    int failed = 0;
    std::set<CommandId> wroteWord;
    std::set<CommandId> listedName;
    std::vector<std::string> words;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        const std::string diff = RoundTrip(seed, dir, wroteWord, listedName, words);
        if (!diff.empty() && ++failed <= 3) {
            ADD_FAILURE() << diff;
        }
    }
    EXPECT_EQ(failed, 0) << "sessions whose replay differs";
    // Every row that records a word was taught in by its control and replayed (the area, which
    // needs the bitmap view's picture, is the area command's own test).
    for (const Command& c : CommandTable()) {
        if (!c.programWord.empty() && c.id != CommandId::Area) {
            EXPECT_TRUE(wroteWord.contains(c.id)) << c.programWord << " never written by " << c.control << c.caption;
        }
        if (c.resultName >= 0 && c.id != CommandId::Area) {
            EXPECT_TRUE(listedName.contains(c.id)) << c.control << c.caption << " never listed its result name";
        }
    }
    // The sessions judged every kind of geometric tolerance at least once.
    for (const char* w : {"GT-POS:", "GT-RUND:", "GT-GERAD:", "GT-PARAL:", "GT-RECHTW:", "GT-NEIG:", "GT-KONZ:"}) {
        const auto n =
            std::count_if(words.begin(), words.end(), [w](const std::string& l) { return l.rfind(w, 0) == 0; });
        EXPECT_GE(n, 1) << w;
    }
}

}  // namespace
}  // namespace tarvo
