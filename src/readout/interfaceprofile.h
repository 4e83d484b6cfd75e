// The interface profile "<IFNAME>.VAL": serial settings, request strings, axis marks, the
// terminator and the columns of values in answer lines, per kind of readout.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

struct AutoColumn {
    std::uint8_t Start;   // 1-based column
    std::uint8_t Length;  // characters
};

struct InterfaceProfile {
    int ComPortNumber = 1;
    int BaudRate = 9600;
    int Parity = 0;
    int DataBits = 8;
    int StopBits = 1;
    std::array<std::string, 17> SendSign;  // [1..16]
    std::array<std::string, 17> AxisMark;  // [1..16]
    std::array<std::string, 17> InitSign;  // [1..16]
    std::uint8_t EndChar1 = 13;
    std::uint8_t EndChar2 = 0;
    std::uint8_t StartPos = 4;
    std::uint8_t EndPosPlus1 = 14;  // ENDPOS + 1
    std::uint8_t CharCount = 2;
    std::uint8_t AutoTrigger = 0;
    AutoColumn AutoX{3, 9};
    AutoColumn AutoY{16, 9};
    bool UseRtsCts = false;
    bool RaiseRts = false;
    std::string Terminator = "\r";

    InterfaceProfile();
    // The value window of an answer line: columns StartPos..EndPos, as many as exist.
    [[nodiscard]] std::string ValueWindow(const std::string& line) const;
};

// Reads section "PARAMETER" of `file`; missing file or keys give the defaults. Returned, one
// message per key, in the file's order: a value that does not fit its byte field (it keeps the
// default) and a BAUD, BYTELEN or STOPBITS the serial port cannot take (the port keeps its
// default; the record holds the value as read).
std::vector<std::string> LoadInterfaceProfile(const std::filesystem::path& file, InterfaceProfile& p);

// The message for a line setting `key` = `text` (as written) that the port cannot take; it
// takes `used`.
[[nodiscard]] std::string NotAllowedProblem(const std::string& file, std::string_view key, std::string_view text,
                                            int used);

}  // namespace tarvo
