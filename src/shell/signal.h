// A small signal/slot without any framework: a `Signal` notifies the `Slot`s attached to it.
// Either side may be destroyed first; the other side detaches itself, so a window that closes
// before the model it watched (or the other way round) leaves no dangling call.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace tarvo {

template <typename... Args>
class Slot;

template <typename... Args>
class Signal final {
public:
    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    ~Signal() {
        for (Slot<Args...>* s : m_slots) {
            s->Forget(this);
        }
    }

    void Attach(Slot<Args...>& slot) {
        if (std::find(m_slots.begin(), m_slots.end(), &slot) == m_slots.end()) {
            m_slots.push_back(&slot);
            slot.Remember(this);
        }
    }
    void Detach(Slot<Args...>& slot) {
        Remove(&slot);
        slot.Forget(this);
    }

    // Calls every attached slot in the order they were attached. A slot that is detached or
    // destroyed by an earlier one is not called; one attached meanwhile waits for the next call.
    void Notify(Args... args) {
        const std::vector<Slot<Args...>*> now = m_slots;
        for (Slot<Args...>* s : now) {
            if (std::find(m_slots.begin(), m_slots.end(), s) != m_slots.end()) {
                s->Call(args...);
            }
        }
    }

    [[nodiscard]] std::size_t SlotCount() const noexcept { return m_slots.size(); }

private:
    friend class Slot<Args...>;
    void Remove(Slot<Args...>* slot) {
        m_slots.erase(std::remove(m_slots.begin(), m_slots.end(), slot), m_slots.end());
    }

    std::vector<Slot<Args...>*> m_slots;
};

template <typename... Args>
class Slot final {
public:
    explicit Slot(std::function<void(Args...)> handler) : m_handler(std::move(handler)) {}
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;
    ~Slot() {
        for (Signal<Args...>* s : m_signals) {
            s->Remove(this);
        }
    }

private:
    friend class Signal<Args...>;
    void Remember(Signal<Args...>* s) { m_signals.push_back(s); }
    void Forget(Signal<Args...>* s) {
        m_signals.erase(std::remove(m_signals.begin(), m_signals.end(), s), m_signals.end());
    }
    void Call(Args... args) { m_handler(args...); }

    std::function<void(Args...)> m_handler;
    std::vector<Signal<Args...>*> m_signals;
};

}  // namespace tarvo
