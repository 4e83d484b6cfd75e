// The scripted operator of the tests: every dialog must have been expected, in order, with its
// answer; an unexpected dialog or an expectation left over at the end fails the test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/scriptedoperator.h"
#include "programs/geocompare.h"

namespace tarvo::test {

class ScriptedOperator final : public tarvo::ScriptedOperator {
public:
    ScriptedOperator() : tarvo::ScriptedOperator(Order::Strict) {}
    ~ScriptedOperator() override {
        for (const auto& e : Queued()) {
            ADD_FAILURE() << "expected " << e.kind << " was never shown";
        }
    }

    void ExpectInfo() { Queue("info", ""); }
    void ExpectError() { Queue("error", ""); }
    void ExpectAsk(bool yes) { Queue("answer", yes ? "ok" : "cancel"); }
    // The typed text; "\0" cancels.
    void ExpectInput(std::string text) { Queue("input", std::move(text)); }
    // The choice number, or "cancel".
    void ExpectChoose(std::string n) { Queue("choose", std::move(n)); }
    // A file dialog answered with `name` ("cancel" cancels).
    void ExpectFile(std::string name) { Queue("file", std::move(name)); }
    // "yes" / "no" / "cancel" for `TAuswahl`.
    void ExpectTwoButtons(std::string answer) { Queue("answer", std::move(answer)); }
    // "append TEXT" / "insert TEXT" / "cancel".
    void ExpectTextLine(std::string answer) { Queue("textline", std::move(answer)); }
    // "C A" / "cancel".
    void ExpectSystem(std::string answer) { Queue("system", std::move(answer)); }
    void ExpectFeature() { Queue("feature", ""); }
    // The geometric-tolerance dialog typed as tarvo-cli's "geotol" answer ("round Welle 0.01").
    void ExpectGeo(std::string answer) { Queue("geotol", std::move(answer)); }
    // "ok", "save" or "cancel", then the inputs separated by "|".
    void ExpectHeader(std::string answer) { Queue("header", std::move(answer)); }
    // The bitmap view: "X Y" (draw, "Fläche", a click at X Y mm, OK), "ok" or "cancel".
    void ExpectArea(std::string answer) { Queue("area", std::move(answer)); }

    // Every text shown, in order, as "kind: text".
    std::vector<std::string> shown;
    int beeps = 0;
    // Points that "arrive" during a WaitForPoints: the test's callback runs once per wait.
    std::function<void()> duringWait;
    // The feature dialog: the test's callback plays the operator (fills fields, presses OK).
    std::function<bool(FeatureDialog&)> featureDialog;

    bool ShowFeatureDialog(FeatureDialog& dialog) override {
        const bool expected = Take("feature", "feature", "Tmrk_set").has_value();
        Shown("feature", "Tmrk_set", nullptr);
        return expected && featureDialog ? featureDialog(dialog) : false;
    }
    bool ShowGeoToleranceDialog(GeoToleranceDialog& dialog) override {
        const auto a = Take("geotol", "geotol", "Tform_lage");
        Shown("geotol", "Tform_lage", nullptr);
        return a && TypeGeoToleranceAnswer(dialog, *a) == GeoTyping::Ok;
    }
    // The entries of the last list chooser, as it showed them.
    std::vector<std::string> lastChoices;
    std::optional<int> Choose(const std::string& dialog, const std::vector<std::string>& choices) override {
        lastChoices = choices;
        return tarvo::ScriptedOperator::Choose(dialog, choices);
    }

    bool WaitForPoints(int, int) override {
        if (duringWait) {
            duringWait();
        }
        return true;
    }
    void Beep() override { ++beeps; }

private:
    void Shown(const std::string& kind, const std::string& text, const std::string*) override {
        shown.push_back(kind + ": " + text);
    }
    void Unanswered(const std::string& kind, const std::string& text) override {
        ADD_FAILURE() << "unexpected " << kind << ": " << text;
    }
    void Refused(const std::string& note) override { ADD_FAILURE() << "refused answer: " << note; }
};

}  // namespace tarvo::test
