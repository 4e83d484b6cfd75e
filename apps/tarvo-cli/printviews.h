// What `print NAME` shows: one view of the main window or the session per name, each a list of
// items printed verbatim under the header `--- NAME (COUNT)`.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class MainWindow;
class Session;

struct PrintView {
    const char* name;
    std::vector<std::string> (*items)(MainWindow& w, const Session& s);
};

// Every view in the order the README lists them.
[[nodiscard]] std::span<const PrintView> PrintViews();
// The view called `name`; nullptr when there is none.
[[nodiscard]] const PrintView* PrintViewByName(std::string_view name);

}  // namespace tarvo
