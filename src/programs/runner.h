// The program runner ("Wiederholung"): replays a measurement program line by line for the next
// workpiece. It is no thread: it runs lines until a "GETPOINT" line must wait for a capture,
// returns to the event loop, and is resumed by `wb_timer` once the point has arrived.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/timers.h"
#include "journal/partjournal.h"
#include "programs/programfile.h"

namespace tarvo {

struct CommandContext;

class ProgramRunner final {
public:
    // `wb_timer` is the main window's 200 ms timer; the runner enables it while it waits.
    ProgramRunner(CommandContext& ctx, Timer& wb_timer) : m_ctx(ctx), m_timer(wb_timer) {}

    // SpeedButton13: a new run when idle (asks for the program file), else goes on at once: a
    // wait for a point ends without one, a line that stopped the run is tried again.
    void RunProgram();
    // `wb_timer`: when a point has arrived or Esc was pressed, the run goes on with the next line.
    void WaitTick();

    // Ends an active run without a word, the result list given back: the window closes.
    void Cancel();

    [[nodiscard]] bool Idle() const noexcept { return m_resumeLine < 0; }
    [[nodiscard]] int ResumeLine() const noexcept { return m_resumeLine; }

    // A word replayed through the command its control runs (the window registers every row of
    // its command table that records a word; the row says how where the replay differs). A word
    // the runner replays itself keeps its own replay.
    void Register(std::string_view word, std::function<void(const ProgramLine&)> command);
    // How a recorded word comes back in a run.
    enum class Replay { Unknown, Own, Command, NoCommand };
    [[nodiscard]] Replay HowReplayed(std::string_view word) const;
    // The words a run would skip for want of a registered command (none once the window stands).
    [[nodiscard]] std::vector<std::string_view> WordsWithoutCommand() const;
    // Replays one line as a run does, outside a run (a GETPOINT line does not wait).
    void ReplayLine(const std::string& line);
    // Where each run goes as a part, with the comparisons judged in it (not owned; none: no
    // journal).
    PartJournal* Journal = nullptr;

private:
    enum class Step { Next, Wait, Stop };
    struct Line;
    struct Word;
    static std::span<const Word> Words();
    static bool OwnWord(std::string_view word);
    [[nodiscard]] const std::function<void(const ProgramLine&)>* Command(std::string_view word) const;
    Step ReplayGetPoint(const Line& l);
    Step ReplayText(const Line& l);
    Step ReplayCircleRecall(const Line& l);
    Step ReplayRecall(const Line& l);
    Step ReplayComparison(const Line& l);
    Step ReplayGeoTolerance(const Line& l);
    Step ReplayReference(const Line& l);
    Step ReplayReset(const Line& l);
    Step ReplayOffset(const Line& l);
    Step ReplayRotation(const Line& l);
    Step ReplayAlignment(const Line& l);
    Step ReplayPointEntry(const Line& l);
    Step ReplayMode(const Line& l);
    Step ReplayZero(const Line& l);
    Step ReplayAreaFromCircle(const Line& l);
    Step ReplayZeroPoint(const Line& l);
    Step Stop(int index);
    bool StartRun();
    void Continue(int line);
    Step ExecuteBusy(int index);
    Step Execute(int index);
    Step Dispatch(const std::string& upper, const ProgramLine& p, int index);
    // Waits at line `index` (GETPOINT or a camera probe's line) for one new point.
    void Wait(int index);
    void Finish(bool aborted);
    // A preset chooser value from the line, when it names one of `count` choices; otherwise the
    // line is skipped with a message naming it.
    bool Preset(const ProgramLine& p, int count, int index);
    // Result line Value[1] when it exists; otherwise the line is skipped with a message.
    int ResultIndex(const ProgramLine& p, int index);
    void Skip(int index, const std::string& why);

    CommandContext& m_ctx;
    Timer& m_timer;
    std::vector<std::pair<std::string, std::function<void(const ProgramLine&)>>> m_commands;
    int m_resumeLine = -1;     // -1 idle, else the line the run waits or stopped at
    int m_waitPointCount = 0;  // points in memory when the wait began
    std::string m_prompt;      // shown after the count of due points
    int m_taken = -1;          // points the previous GETPOINT line had taken, when it was the last line run
};

}  // namespace tarvo
