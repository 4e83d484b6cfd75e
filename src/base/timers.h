// The main window's timers. The core declares each timer with its interval, enabled flag and
// handler; the GUI runs them on QTimer, tests and tarvo-cli on the virtual clock below.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvo {

class TimerSet;

class Timer final {
public:
    [[nodiscard]] const std::string& Name() const noexcept { return m_name; }
    [[nodiscard]] bool Enabled() const noexcept { return m_enabled; }
    [[nodiscard]] int Interval() const noexcept { return m_interval; }
    // Enabling (again) or changing the interval of an enabled timer starts its count anew.
    void SetEnabled(bool on);
    void SetInterval(int ms);
    // Runs the handler as a tick would.
    void Fire();

private:
    friend class TimerSet;
    Timer(TimerSet& owner, std::string name, int interval, bool enabled, std::function<void()> handler);
    TimerSet& m_owner;
    std::string m_name;
    int m_interval;
    bool m_enabled;
    std::function<void()> m_handler;
    long long m_due = 0;
    std::size_t m_order = 0;
};

// Owns the timers and, for tests and tarvo-cli, their virtual clock (milliseconds from 0).
class TimerSet final {
public:
    TimerSet() = default;
    TimerSet(const TimerSet&) = delete;
    TimerSet& operator=(const TimerSet&) = delete;

    Timer& Declare(std::string name, int intervalMs, bool enabled, std::function<void()> handler);
    [[nodiscard]] Timer* Find(const std::string& name) const;
    [[nodiscard]] const std::vector<std::unique_ptr<Timer>>& All() const noexcept { return m_timers; }

    [[nodiscard]] long long Now() const noexcept { return m_now; }
    // Moves the virtual clock on by `ms`, firing every due tick in time order (ties in the
    // order of declaration). A handler may enable, disable or re-time any timer.
    void Advance(long long ms);

    // A blocking wait of `ms`: time passes but nothing fires meanwhile; a timer that fell due
    // ticks once at the next chance, as the platform coalesces its timer messages. The GUI sets
    // a hook that really sleeps.
    void Block(long long ms);
    void SetBlockHook(std::function<void(long long)> hook) { m_blockHook = std::move(hook); }

    // Called whenever a timer is enabled, disabled or re-timed (the GUI mirrors it on QTimer).
    void SetChangeListener(std::function<void(Timer&)> listener) { m_listener = std::move(listener); }

private:
    friend class Timer;
    void Changed(Timer& t);
    std::vector<std::unique_ptr<Timer>> m_timers;
    std::function<void(Timer&)> m_listener;
    std::function<void(long long)> m_blockHook;
    long long m_now = 0;
};

}  // namespace tarvo
