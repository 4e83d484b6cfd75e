// Conversion between the core's Windows-1252 text and UTF-8, for the boundaries that talk
// to the outside (Qt, the terminal of tarvo-cli) and for German literals in the sources.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

// UTF-8 to Windows-1252. Characters the code page lacks become "?"; malformed UTF-8 bytes
// are taken as Windows-1252 bytes as they stand, so text that already was 1252 survives.
[[nodiscard]] std::string Utf8ToAnsi(std::string_view utf8);

// True when the text holds at least one UTF-8 multi-byte character and every byte of 0x80 or
// above belongs to a well-formed one: a file written in UTF-8 rather than Windows-1252 (German
// Windows-1252 text practically never forms such sequences).
[[nodiscard]] bool LooksLikeUtf8(std::string_view text);

// Windows-1252 to UTF-8. The five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 control characters of the same number, so every byte round-trips.
[[nodiscard]] std::string AnsiToUtf8(std::string_view ansi);

// A literal written in the (UTF-8) sources as the core's Windows-1252 text.
[[nodiscard]] inline std::string Ansi(std::string_view utf8) { return Utf8ToAnsi(utf8); }

}  // namespace tarvo
