// The point memory ("Punktespeicher", list `ListBox1`): captured positions as display text,
// oldest first. The text is the only storage; reading a point parses its line back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/real.h"
#include "shell/signal.h"

namespace tarvo {

struct Point {
    Real x;
    Real y;
};

// X and Y right-aligned in 8 characters with `decimals` places, joined by " : ".
[[nodiscard]] std::string PointItemText(long double x, long double y, int decimals);

// Splits an item at its first ":" (X before, at most 100 characters of Y after) and reads both
// with the decimal-comma-tolerant number reading; a part that does not convert reads as 0.
[[nodiscard]] Point ParsePointItem(std::string_view item);

class PointMemory final {
public:
    [[nodiscard]] int PointCount() const noexcept { return static_cast<int>(m_items.size()); }
    // Point i (0-based); RangeError when there is no such point.
    [[nodiscard]] Point GetPoint(int i) const;
    [[nodiscard]] const std::vector<std::string>& Items() const noexcept { return m_items; }
    [[nodiscard]] int ItemIndex() const noexcept { return m_itemIndex; }
    // Selects item i, or nothing with -1; RangeError outside the list.
    void SetItemIndex(int i);

    // Appends an item and selects it.
    void Append(std::string item);
    // Deletes item i (RangeError outside the list); nothing stays selected.
    void Delete(int i);
    void Clear();
    void SelectLast() noexcept { m_itemIndex = PointCount() - 1; }

    // After every change of the items; true when the memory was cleared.
    Signal<bool> Changed;

private:
    std::vector<std::string> m_items;
    int m_itemIndex = -1;
};

}  // namespace tarvo
