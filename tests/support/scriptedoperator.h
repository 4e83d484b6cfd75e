// An Operator for tests: every dialog must have been expected, in order, with its answer; an
// unexpected dialog or an expectation left over at the end fails the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "shell/operator.h"

namespace tarvo::test {

class ScriptedOperator final : public Operator {
public:
    struct Expect {
        std::string kind;  // "info", "error", "ask", "input", "choose", "file"
        std::string answer;  // "ok"/"cancel" for ask; text for input ("\0" = cancel); number for choose
    };

    ~ScriptedOperator() override {
        for (const auto& e : m_expect) {
            ADD_FAILURE() << "expected " << e.kind << " was never shown";
        }
    }

    void ExpectInfo() { m_expect.push_back({"info", ""}); }
    void ExpectError() { m_expect.push_back({"error", ""}); }
    void ExpectAsk(bool yes) { m_expect.push_back({"ask", yes ? "ok" : "cancel"}); }
    void ExpectInput(std::string text) { m_expect.push_back({"input", std::move(text)}); }
    void ExpectChoose(std::string n) { m_expect.push_back({"choose", std::move(n)}); }
    // A file dialog answered with `name` ("cancel" cancels).
    void ExpectFile(std::string name) { m_expect.push_back({"file", std::move(name)}); }

    // Every text shown, in order, as "kind: text".
    std::vector<std::string> shown;
    int beeps = 0;
    // Points that "arrive" during a WaitForPoints: the test's callback runs once per wait.
    std::function<void()> duringWait;

    void ShowInfo(const std::string& text) override { Take("info", text); }
    void ShowError(const std::string& text) override { Take("error", text); }
    bool Ask(const std::string& text, Buttons) override { return Take("ask", text).answer == "ok"; }
    std::optional<std::string> Input(const std::string& title, const std::string&) override {
        Expect e = Take("input", title);
        if (e.answer == std::string(1, '\0')) {
            return std::nullopt;
        }
        return e.answer;
    }
    // "yes" / "no" / "cancel" for TAuswahl.
    std::optional<bool> TwoButtons(const std::string& c1, const std::string& c2) override {
        const Expect e = Take("two", c1 + "/" + c2);
        if (e.answer == "cancel") {
            return std::nullopt;
        }
        return e.answer == "yes";
    }
    void ExpectTwoButtons(std::string answer) { m_expect.push_back({"two", std::move(answer)}); }
    // "append TEXT" / "insert TEXT" / "cancel".
    std::optional<TextLineAnswer> TextLine(bool) override {
        const Expect e = Take("textline", "Textzeile");
        if (e.answer == "cancel") {
            return std::nullopt;
        }
        const auto sp = e.answer.find(' ');
        return TextLineAnswer{e.answer.substr(0, sp) == "insert", sp == std::string::npos ? "" : e.answer.substr(sp + 1)};
    }
    void ExpectTextLine(std::string answer) { m_expect.push_back({"textline", std::move(answer)}); }
    // "C A" / "cancel".
    std::optional<std::pair<int, int>> SystemSettings(int, int) override {
        const Expect e = Take("system", "Systemeinstellungen");
        if (e.answer == "cancel") {
            return std::nullopt;
        }
        return std::make_pair(e.answer[0] - '0', e.answer[2] - '0');
    }
    void ExpectSystem(std::string answer) { m_expect.push_back({"system", std::move(answer)}); }
    std::optional<int> Choose(const std::string& dialog, const std::vector<std::string>&) override {
        Expect e = Take("choose", dialog);
        if (e.answer == "cancel") {
            return std::nullopt;
        }
        return std::stoi(e.answer);
    }
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override {
        Expect e = Take("file", request.dialog);
        if (e.answer == "cancel") {
            return std::nullopt;
        }
        return e.answer;
    }
    // The feature dialog: the test's callback plays the operator (fills fields, presses OK).
    std::function<bool(FeatureDialog&)> featureDialog;
    bool ShowFeatureDialog(FeatureDialog& dialog) override {
        Take("feature", "Tmrk_set");
        return featureDialog ? featureDialog(dialog) : false;
    }
    void ExpectFeature() { m_expect.push_back({"feature", ""}); }

    bool WaitForPoints(int, int) override {
        if (duringWait) {
            duringWait();
        }
        return true;
    }
    void Beep() override { ++beeps; }

private:
    Expect Take(const std::string& kind, const std::string& text) {
        shown.push_back(kind + ": " + text);
        if (m_expect.empty() || m_expect.front().kind != kind) {
            ADD_FAILURE() << "unexpected " << kind << ": " << text;
            return {kind, "cancel"};
        }
        Expect e = m_expect.front();
        m_expect.pop_front();
        return e;
    }
    std::deque<Expect> m_expect;
};

}  // namespace tarvo::test
