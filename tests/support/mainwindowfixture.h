// A started main window in a fresh working folder, with a scripted operator.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/commandtable.h"
#include "app/mainwindow.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"

namespace tarvo::test {

class MainWindowFixture : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedOperator op;
    FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> w;

    void Start() {
        session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
        w = std::make_unique<MainWindow>(*session);
        w->FormCreate();
    }
    void SetUp() override { Start(); }
    Settings& settings() { return session->settings; }
    RunState& run() { return session->run; }
    // Recording on, with an empty program (as the start of a teach-in leaves it, without its
    // question and its first line).
    void Teach() {
        run().Recording = 1;
        w->LB_list().clear();
    }
    void Capture(long double x, long double y) {
        run().CurrentPos = {x, y};
        w->FormKeyDown(kKeySpace);
    }
    // Clicks the control (or menu entry) of command `id` as the window does, through the command
    // table. @retval false the control is disabled and ignored the click.
    bool Run(CommandId id) { return w->Run(CommandOf(id)); }
    const std::vector<std::string>& Results() { return w->lb1().Lines(); }
    const std::string& LastResult() { return w->lb1().Lines().back(); }
};

}  // namespace tarvo::test
