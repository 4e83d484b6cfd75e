#include "base/timers.h"

#include <algorithm>

namespace tarvo {

Timer::Timer(TimerSet& owner, std::string name, int interval, bool enabled, std::function<void()> handler)
    : m_owner(owner), m_name(std::move(name)), m_interval(interval), m_enabled(enabled), m_handler(std::move(handler)) {
    m_due = m_owner.Now() + m_interval;
}

void Timer::SetEnabled(bool on) {
    m_enabled = on;
    if (on) {
        m_due = m_owner.Now() + m_interval;
    }
    m_owner.Changed(*this);
}

void Timer::SetInterval(int ms) {
    m_interval = ms;
    m_due = m_owner.Now() + m_interval;
    m_owner.Changed(*this);
}

void Timer::Fire() {
    if (m_handler) {
        m_handler();
    }
}

Timer& TimerSet::Declare(std::string name, int intervalMs, bool enabled, std::function<void()> handler) {
    m_timers.push_back(
        std::unique_ptr<Timer>(new Timer(*this, std::move(name), intervalMs, enabled, std::move(handler))));
    m_timers.back()->m_order = m_timers.size() - 1;
    return *m_timers.back();
}

Timer* TimerSet::Find(const std::string& name) const {
    for (const auto& t : m_timers) {
        if (t->m_name == name) {
            return t.get();
        }
    }
    return nullptr;
}

void TimerSet::Changed(Timer& t) {
    if (m_listener) {
        m_listener(t);
    }
}

void TimerSet::Block(long long ms) {
    if (m_blockHook) {
        m_blockHook(ms);
    }
    m_now += ms > 0 ? ms : 0;
    for (const auto& t : m_timers) {
        if (t->m_enabled && t->m_due < m_now) {
            t->m_due = m_now;
        }
    }
}

void TimerSet::Advance(long long ms) {
    const long long target = m_now + (ms > 0 ? ms : 0);
    for (;;) {
        Timer* next = nullptr;
        for (const auto& t : m_timers) {
            // A timer with interval 0 never ticks, as on the platform.
            if (!t->m_enabled || t->m_interval <= 0 || t->m_due > target) {
                continue;
            }
            if (next == nullptr || t->m_due < next->m_due) {
                next = t.get();
            }
        }
        if (next == nullptr) {
            break;
        }
        m_now = std::max(m_now, next->m_due);
        next->m_due = m_now + next->m_interval;
        next->Fire();
    }
    // A blocking wait inside a handler may have moved the clock past the target already.
    m_now = std::max(m_now, target);
}

}  // namespace tarvo
