// An Operator for batch use without anybody to ask: every question is answered No or Cancel,
// every dialog is cancelled, a wait for points ends at once, errors go to a callback.
#pragma once

#include <functional>

#include "shell/operator.h"

namespace tarvo {

class NullOperator final : public Operator {
public:
    std::function<void(const std::string&)> onError;

    void ShowInfo(const std::string&) override {}
    void ShowError(const std::string& text) override {
        if (onError) {
            onError(text);
        }
    }
    bool Ask(const std::string&, Buttons) override { return false; }
    std::optional<std::string> Input(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<bool> TwoButtons(const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<TextLineAnswer> TextLine(bool) override { return std::nullopt; }
    std::optional<SystemChoice> SystemSettings(const SystemChoice&) override { return std::nullopt; }
    std::optional<int> ChooseAngle(const std::array<long double, 4>&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<int> Choose(const std::string&, const std::vector<std::string>&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile(const FileDialogRequest&) override { return std::nullopt; }
    bool ShowFeatureDialog(FeatureDialog&) override { return false; }
    HeaderClosing ShowHeaderDialog(HeaderDataDialog&) override { return HeaderClosing::Abort; }
    bool ShowBitmapView(BitmapView&) override { return false; }
    bool ShowConverterPresets(ConverterPresetsDialog&) override { return false; }
    bool WaitForPoints(int, int) override { return false; }
    void Beep() override {}
};

}  // namespace tarvo
