#include "data/pointmemory.h"

#include "base/checked.h"
#include "base/text.h"

namespace tarvo {

std::string PointItemText(long double x, long double y, int decimals) {
    return FormatReal(x, 8, decimals) + " : " + FormatReal(y, 8, decimals);
}

Point ParsePointItem(std::string_view item) {
    const auto colon = item.find(':');
    std::string_view xText;
    std::string_view yText;
    if (colon == std::string_view::npos) {
        yText = item.substr(0, 100);
    } else {
        xText = item.substr(0, colon);
        yText = item.substr(colon + 1, 100);
    }
    return Point{ReadNumber(xText), ReadNumber(yText)};
}

Point PointMemory::GetPoint(int i) const {
    return ParsePointItem(m_items[CheckedIndex(i, m_items.size(), "Punktespeicher")]);
}

void PointMemory::SetItemIndex(int i) {
    m_itemIndex = i < 0 ? -1 : static_cast<int>(CheckedIndex(i, m_items.size(), "Punktespeicher"));
}

void PointMemory::Append(std::string item) {
    m_items.push_back(std::move(item));
    SelectLast();
    Changed.Notify(false);
}

void PointMemory::Delete(int i) {
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(i, m_items.size(), "Punktespeicher")));
    m_itemIndex = -1;
    Changed.Notify(false);
}

void PointMemory::Clear() {
    m_items.clear();
    m_itemIndex = -1;
    Changed.Notify(true);
}

}  // namespace tarvo
