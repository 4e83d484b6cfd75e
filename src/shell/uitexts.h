// The numbered UI texts (`common_list`) and result names (`result_names`) that every message,
// prompt and result line takes by index. Built in with the German texts; a language file may
// replace them, keeping order and count.
#pragma once

#include <string>
#include <vector>

namespace tarvo {

inline constexpr std::size_t kCommonListSize = 39;
inline constexpr std::size_t kResultNamesSize = 24;

class UiTexts final {
public:
    UiTexts();
    // UI text n; RangeError outside 0..38.
    [[nodiscard]] const std::string& UiText(int n) const;
    // Result name n; RangeError outside 0..23.
    [[nodiscard]] const std::string& ResultName(int n) const;

    [[nodiscard]] const std::vector<std::string>& common_list() const noexcept { return m_common; }
    [[nodiscard]] const std::vector<std::string>& result_names() const noexcept { return m_results; }
    // Replaces entry n (language loading); RangeError outside the list.
    void SetUiText(int n, std::string text);
    void SetResultName(int n, std::string text);

private:
    std::vector<std::string> m_common;
    std::vector<std::string> m_results;
};

}  // namespace tarvo
