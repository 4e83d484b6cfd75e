// Errors that end one operator command and are shown to the operator as an error box.
#pragma once

#include <stdexcept>
#include <string>

namespace tarvo {

// A value that does not fit where it is stored: a real beyond the 48-bit range or NaN,
// an integer outside its field, an index outside its list. Raised by the checked stores
// and caught at the command boundary of the main window, which shows its text.
class RangeError final : public std::runtime_error {
public:
    explicit RangeError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace tarvo
