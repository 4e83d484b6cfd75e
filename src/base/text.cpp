#include "base/text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "base/cp1252.h"
#include "base/datetime.h"
#include "base/errors.h"
#include "base/real.h"

namespace tarvo {

namespace {

constexpr std::size_t kMaxFormatted = 20;

void CheckByte(int v, const char* what) {
    if (v < 0 || v > 255) {
        throw RangeError(std::string(what) + " " + std::to_string(v) + Ansi(" außerhalb 0..255"));
    }
}

// Significant decimal digits of |v| (18 of them, as the extended-precision conversion of
// the era gives) and the decimal exponent of the first digit.
void DecimalDigits(long double v, std::string& digits, int& exponent) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 17);
    const std::string s(buf, res.ptr);
    const auto e = s.find('e');
    digits.clear();
    for (std::size_t i = 0; i < e; ++i) {
        if (s[i] != '.') {
            digits += s[i];
        }
    }
    exponent = std::stoi(s.substr(e + 1));
}

// |v| * 10^decimals rounded half away from zero, as a digit string without leading zeros.
std::string ScaledDigits(long double v, int decimals) {
    if (v == 0.0L) {
        return "0";
    }
    std::string d;
    int e = 0;
    DecimalDigits(v, d, e);
    const long keep = static_cast<long>(e) + 1 + decimals;  // digits before the cut
    if (keep < 0) {
        return "0";
    }
    if (keep == 0) {
        return d[0] >= '5' ? "1" : "0";
    }
    const auto k = static_cast<std::size_t>(keep);
    if (k >= d.size()) {
        return d + std::string(k - d.size(), '0');
    }
    const bool up = d[k] >= '5';
    std::string n = d.substr(0, k);
    if (up) {
        std::size_t i = n.size();
        while (i > 0) {
            --i;
            if (n[i] == '9') {
                n[i] = '0';
            } else {
                ++n[i];
                break;
            }
            if (i == 0) {
                n.insert(n.begin(), '1');
            }
        }
    }
    return n;
}

}  // namespace

std::string FormatReal(long double value, int width, int decimals) {
    CheckByte(width, "Breite");
    CheckByte(decimals, "Nachkommastellen");
    if (!std::isfinite(value)) {
        throw RangeError(Ansi("Zahl außerhalb des Wertebereichs"));
    }
    std::string n = ScaledDigits(value, decimals);
    const auto dec = static_cast<std::size_t>(decimals);
    if (n.size() < dec + 1) {
        n.insert(0, dec + 1 - n.size(), '0');
    }
    // A value that rounds to zero is written without a sign: "0.000", never "-0.000".
    const bool zero = n.find_first_not_of('0') == std::string::npos;
    std::string s = value < 0 && !zero ? "-" : "";
    s += n.substr(0, n.size() - dec);
    if (dec > 0) {
        s += '.';
        s += n.substr(n.size() - dec);
    }
    if (s.size() < static_cast<std::size_t>(width)) {
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    }
    if (s.size() > kMaxFormatted) {
        s.resize(kMaxFormatted);
    }
    return s;
}

std::string FormatInt(long long value, int width) {
    if (value < 0 || value > 65535) {
        throw RangeError(std::to_string(value) + Ansi(" außerhalb 0..65535"));
    }
    CheckByte(width, "Breite");
    std::string s = std::to_string(value);
    if (s.size() < static_cast<std::size_t>(width)) {
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    }
    return s;
}

std::string FormatRealLeft(long double value, int decimals, int width) {
    return PadRight(FormatReal(value, 0, decimals), width);
}

std::string PadRight(std::string_view text, int width) {
    std::string s(text);
    if (width > 0 && s.size() < static_cast<std::size_t>(width)) {
        s.append(static_cast<std::size_t>(width) - s.size(), ' ');
    }
    return s;
}

std::string FitLeft(std::string_view text, int width) {
    std::string s(text);
    s.append(22, ' ');
    s.resize(static_cast<std::size_t>(std::max(0, std::min<int>(width, static_cast<int>(s.size())))));
    return s;
}

std::string NormalizeDecimal(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (c == ',') {
            c = '.';
        }
    }
    if (!s.empty() && s[0] == '.') {
        s.insert(s.begin(), '0');
    }
    return s;
}

std::string RemoveSpaces(std::string_view text) {
    std::string s;
    s.reserve(text.size());
    for (const char c : text) {
        if (c != ' ') {
            s += c;
        }
    }
    return s;
}

std::string RemoveSpacesUnlessTime(std::string_view text) {
    if (text.find(':') != std::string_view::npos) {
        return std::string(text);
    }
    return RemoveSpaces(text);
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Accepts [sign] digits [. digits] [e|E [sign] digits] with at least one mantissa digit.
bool WellFormed(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    std::size_t mant = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++mant;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++mant;
        }
    }
    if (mant == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        std::size_t ex = 0;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++ex;
        }
        if (ex == 0) {
            return false;
        }
    }
    return i == s.size();
}

}  // namespace

NumberRead ReadNumberChecked(std::string_view text) {
    const std::string s = RemoveSpaces(NormalizeDecimal(text));
    if (!WellFormed(s)) {
        return {};
    }
    std::string_view body(s);
    bool negative = false;
    if (body[0] == '+' || body[0] == '-') {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    long double v = 0.0L;
    const auto res = std::from_chars(body.data(), body.data() + body.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Too small underflows to zero as a store would; too large does not convert.
        if (std::fabs(v) < 1.0L) {
            return {0.0L, true};
        }
        return {};
    }
    if (res.ec != std::errc() || res.ptr != body.data() + body.size() || std::fabs(v) > Real::kMax) {
        return {};
    }
    return {negative ? -v : v, true};
}

long double ReadNumber(std::string_view text) { return ReadNumberChecked(text).value; }

std::string UpperCaseOem(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 'a' && b <= 'z') {
            c = static_cast<char>(b - 'a' + 'A');
        } else if (b == 0x81) {
            c = static_cast<char>(0x9A);
        } else if (b == 0x84) {
            c = static_cast<char>(0x8E);
        } else if (b == 0x94) {
            c = static_cast<char>(0x99);
        }
    }
    return s;
}

namespace {

// The letters of one Windows-1252 byte for the primary order: upper-case base letters.
std::string_view BaseLetters(unsigned char b) {
    static const std::string_view kHigh[64] = {
        "A", "A", "A", "A", "A", "A", "AE", "C",    "E", "E", "E", "E", "I", "I", "I",  "I",   // 0xC0
        "D", "N", "O", "O", "O", "O", "O",  "\xD7", "O", "U", "U", "U", "U", "Y", "TH", "SS",  // 0xD0
        "A", "A", "A", "A", "A", "A", "AE", "C",    "E", "E", "E", "E", "I", "I", "I",  "I",   // 0xE0
        "D", "N", "O", "O", "O", "O", "O",  "\xF7", "O", "U", "U", "U", "U", "Y", "TH", "Y",   // 0xF0
    };
    static const std::string_view kAscii[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                                "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    if (b >= 0xC0) {
        return kHigh[b - 0xC0];
    }
    if (b >= 'a' && b <= 'z') {
        return kAscii[b - 'a'];
    }
    if (b >= 'A' && b <= 'Z') {
        return kAscii[b - 'A'];
    }
    if (b == 0x8A || b == 0x9A) {
        return "S";  // Š š
    }
    if (b == 0x8E || b == 0x9E) {
        return "Z";  // Ž ž
    }
    return {};
}

std::string PrimaryKey(std::string_view text) {
    std::string key;
    for (const char c : text) {
        const std::string_view letters = BaseLetters(static_cast<unsigned char>(c));
        if (letters.empty()) {
            key += c;
        } else {
            key += letters;
        }
    }
    return key;
}

// Second order: each letter's mark (plain before umlaut or accent), then its case.
std::string SecondaryKey(std::string_view text, bool marks) {
    std::string key;
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (marks) {
            key += b >= 0xC0 || b == 0x8A || b == 0x9A || b == 0x8E || b == 0x9E ? '1' : '0';
        } else {
            key += (b >= 'a' && b <= 'z') || (b >= 0xDF && b != 0xF7) || b == 0x9A || b == 0x9E ? '1' : '0';
        }
    }
    return key;
}

}  // namespace

bool GermanLess(std::string_view a, std::string_view b) {
    const std::string pa = PrimaryKey(a);
    const std::string pb = PrimaryKey(b);
    if (pa != pb) {
        return pa < pb;
    }
    const std::string ma = SecondaryKey(a, true);
    const std::string mb = SecondaryKey(b, true);
    if (ma != mb) {
        return ma < mb;
    }
    const std::string ca = SecondaryKey(a, false);
    const std::string cb = SecondaryKey(b, false);
    if (ca != cb) {
        return ca < cb;
    }
    return a < b;
}

namespace {
std::string Two(int v) {
    v %= 100;
    if (v < 0) {
        v += 100;
    }
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}
}  // namespace

std::string TimeStampText(const DateTime& t) {
    return Two(t.day) + ":" + Two(t.month) + ":" + Two(t.year % 100) + ":" + Two(t.hour) + ":" + Two(t.minute);
}

std::string DateCode(const DateTime& t) {
    static constexpr std::string_view kAlphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const auto digit = [](int n) {
        n %= 62;
        if (n < 0) {
            n += 62;
        }
        return kAlphabet[static_cast<std::size_t>(n)];
    };
    std::string s;
    s += digit(t.year / 100);
    s += digit(t.year - 1980);
    s += digit(t.month);
    s += digit(t.day);
    s += digit(t.hour);
    s += digit(t.minute);
    s += digit(t.second);
    s += digit(t.second + 1);
    return s;
}

}  // namespace tarvo
