#include "base/datetime.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace tarvo {

DateTime SystemWallClock::Now() const {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void SystemWallClock::Sleep(int ms) const { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void FixedWallClock::Sleep(int ms) const {
    m_pendingMs += ms;
    while (m_pendingMs >= 1000) {
        m_pendingMs -= 1000;
        // One second on; the calendar is carried through with the C library's normalisation.
        std::tm tm{};
        tm.tm_year = m_t.year - 1900;
        tm.tm_mon = m_t.month - 1;
        tm.tm_mday = m_t.day;
        tm.tm_hour = m_t.hour;
        tm.tm_min = m_t.minute;
        tm.tm_sec = m_t.second + 1;
        tm.tm_isdst = 0;
        (void)timegm(&tm);
        m_t = DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
    }
}

}  // namespace tarvo
