// The program runner ("Wiederholung"): replays a measurement program line by line for the next
// workpiece. It is no thread: it runs lines until a "GETPOINT" line must wait for a capture,
// returns to the event loop, and is resumed by `wb_timer` once the point has arrived.
#pragma once

#include <functional>
#include <string>

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

    // The words whose commands live on the runner's own floor, which it may not include:
    // "SPDRUCKEN" the report and "ASCII" the export (src/output), "FLAECHE" the area command of
    // the bitmap view (src/views). The main window sets them; unset, the word does nothing.
    std::function<void()> OnPrint;
    std::function<void(const std::string& partName)> OnAsciiExport;
    std::function<void()> OnArea;
    // Where each run goes as a part, with the comparisons judged in it (not owned; none: no
    // journal).
    PartJournal* Journal = nullptr;

private:
    enum class Step { Next, Wait, Stop };
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
    int m_resumeLine = -1;     // -1 idle, else the line the run waits or stopped at
    int m_waitPointCount = 0;  // points in memory when the wait began
    std::string m_prompt;      // shown after the count of due points
    int m_taken = -1;          // points the previous GETPOINT line had taken, when it was the last line run
};

}  // namespace tarvo
