// The operator of a fuzz target: answers every file dialog with one file (the open dialog of a
// memory file with "m.spt"), every question as told, and counts the errors shown; the rest is
// ignored.
#pragma once

#include <string>

#include "app/scriptedoperator.h"

class FuzzOperator final : public tarvo::ScriptedOperator {
public:
    explicit FuzzOperator(std::string file = "prg/p.PRG") : ScriptedOperator(Order::ByKind), m_file(std::move(file)) {}
    std::optional<std::string> ChooseFile(const tarvo::FileDialogRequest& r) override {
        return r.dialog == "OpenDialog1" ? std::string("m.spt") : m_file;
    }
    bool Ask(const std::string&, tarvo::Buttons) override { return yes; }
    void ShowError(const std::string&) override { ++errors; }
    bool ShowFeatureDialog(tarvo::FeatureDialog&) override { return false; }
    bool WaitForPoints(int, int) override { return false; }
    void Beep() override {}

    bool yes = true;
    int errors = 0;

private:
    void Shown(const std::string&, const std::string&, const std::string*) override {}
    void Unanswered(const std::string&, const std::string&) override {}
    void Refused(const std::string&) override {}
    std::string m_file;
};
