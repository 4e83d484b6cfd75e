// Wall-clock date and time for time stamps and date codes, behind an interface so tests fix it.
#pragma once

namespace tarvo {

struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class WallClock {
public:
    virtual ~WallClock() = default;
    [[nodiscard]] virtual DateTime Now() const = 0;
    // Lets `ms` milliseconds pass (an export waits so for a new file name).
    virtual void Sleep(int ms) const = 0;
};

// The local time of the machine.
class SystemWallClock final : public WallClock {
public:
    [[nodiscard]] DateTime Now() const override;
    void Sleep(int ms) const override;
};

// A clock that shows what it was set to.
class FixedWallClock final : public WallClock {
public:
    explicit FixedWallClock(const DateTime& t) : m_t(t) {}
    [[nodiscard]] DateTime Now() const override { return m_t; }
    void Set(const DateTime& t) { m_t = t; }
    // Waiting moves this clock on, whole seconds once 1000 ms have gathered.
    void Sleep(int ms) const override;

private:
    mutable DateTime m_t;
    mutable int m_pendingMs = 0;
};

}  // namespace tarvo
