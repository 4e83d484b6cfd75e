// Runs the core's timers on QTimer: each declared timer gets a QTimer that follows its
// enabled flag and interval; a blocking wait really sleeps.
#pragma once

#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "base/timers.h"

namespace tarvo {

class QTimerDriver final : public QObject {
public:
    explicit QTimerDriver(TimerSet& timers, QObject* parent = nullptr);
    // Detaches from the timers, which may outlive the driver (a port closing at exit re-times one).
    ~QTimerDriver() override;
    QTimerDriver(const QTimerDriver&) = delete;
    QTimerDriver& operator=(const QTimerDriver&) = delete;
    // Picks up timers declared after construction.
    void Sync();

private:
    void Follow(Timer& t);
    TimerSet& m_timers;
    std::map<Timer*, std::unique_ptr<QTimer>> m_qtimers;
};

}  // namespace tarvo
