// The stored configuration, filled from TARVO.INI and the marker files at start-up and partly
// written back at exit. What changes while the program runs is the run state (runstate.h).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/fileio.h"
#include "base/real.h"
#include "shell/runstate.h"

namespace tarvo {

struct Settings {
    std::string IfName = "IF2M";
    std::uint8_t Decimals = 3;
    std::uint8_t FontSize = 10;
    std::uint8_t Language = 0;
    Real OffsetX = 0.0L;
    Real OffsetY = 0.0L;
    Real OffsetW = 0.0L;
    std::uint8_t CircleMode = 0;
    std::uint8_t AngleMode = 0;
    std::uint8_t If3Inc = 0;
    std::uint8_t NoZero = 0;
    std::uint8_t TriggerMode = 0;
    std::uint8_t SlowMode = 0;
    std::string DxfInitialDir = ".\\";
    std::uint8_t AngleDiffLine = 0;
    std::uint8_t SiemensMode = 0;
    Real AxisFactorX = 1.0L;
    Real AxisFactorY = 1.0L;
    Real AxisFactorZ = 1.0L;
    // The reference element of the circle and line commands ("KR_BEZUG", "GE_BEZUG"): one of
    // kCircleReferences / kLineReferences; "SEARCH" is the program's own search and fit.
    std::string CircleReference = "SEARCH";
    std::string LineReference = "SEARCH";
};

// The names the reference settings take, the program's own evaluation first.
inline constexpr std::array<const char*, 5> kCircleReferences = {"SEARCH", "LSCI", "MZCI", "MICI", "MCCI"};
inline constexpr std::array<const char*, 3> kLineReferences = {"SEARCH", "LSLI", "MZLI"};
inline constexpr const char* kOwnReference = "SEARCH";

inline constexpr const char* kSettingsFile = "TARVO.INI";
inline constexpr const char* kSectionSettings = "Einstellungen";
inline constexpr const char* kSectionParameter = "PARAMETER";
inline constexpr const char* kReadOnlyMarker = "menue.cd";

// Fills `s` from the settings file `file`. A missing file or key leaves the default. A value
// that does not fit its field is skipped (the field keeps its default) and reported in the
// returned list, one readable message per key, for the caller to show. A file that exists but
// cannot be read gives one message and the defaults; it is never replaced (see SaveSettings).
std::vector<std::string> LoadSettings(const std::filesystem::path& file, Settings& s);

// The marker files of the working folder. "winkel" and "siemens" set their flags; "ch_dir"
// gives the three axis factors; "timer" the send and receive intervals. A marker file whose
// lines are not numbers changes nothing and is reported in `problems`.
struct MarkerTimerIntervals {
    int send = 0;
    int receive = 0;
};
std::optional<MarkerTimerIntervals> ApplyMarkerFiles(const std::filesystem::path& dir, Settings& s,
                                                     std::vector<std::string>& problems);

// Writes the integer key as decimal text into the settings file, unless `readOnlyMedia`.
WriteResult WriteIniInteger(const std::string& section, const std::filesystem::path& file, const std::string& key,
                            long long value, bool readOnlyMedia);

// The exit write-back: offsets times 10000 rounded, "TR_MODE", "DXFINITIALDIR". A settings
// file that cannot be read is left as it is (nothing written, no second message).
WriteResult SaveSettings(const std::filesystem::path& file, const Settings& s);

// A real with up to 10 significant digits, as listings print it ("1.2345", "0", "1e+20").
std::string RealText(long double v);

// The message for a configuration file whose lines are not the numbers it must hold.
std::string NotNumbersProblem(const std::string& file);

// "Name=value" for every field of the settings and then of the run state's recording, abort and
// position fields, reals with up to 10 significant digits.
std::vector<std::string> SettingsListing(const Settings& s, const RunState& run);

// The root of the file system that holds `dir` (its mount point): where the read-only marker
// of a program run from a CD lives.
std::filesystem::path FileSystemRootOf(const std::filesystem::path& dir);

}  // namespace tarvo
