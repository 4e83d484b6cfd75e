#include "shell/qt/qtimerdriver.h"

#include <QThread>

namespace tarvo {

QTimerDriver::QTimerDriver(TimerSet& timers, QObject* parent) : QObject(parent), m_timers(timers) {
    m_timers.SetChangeListener([this](Timer& t) { Follow(t); });
    m_timers.SetBlockHook([](long long ms) { QThread::msleep(static_cast<unsigned long>(ms)); });
    Sync();
}

QTimerDriver::~QTimerDriver() {
    m_timers.SetChangeListener({});
    m_timers.SetBlockHook({});
}

void QTimerDriver::Sync() {
    for (const auto& t : m_timers.All()) {
        Follow(*t);
    }
}

void QTimerDriver::Follow(Timer& t) {
    auto& q = m_qtimers[&t];
    if (!q) {
        q = std::make_unique<QTimer>();
        q->setTimerType(Qt::PreciseTimer);
        Timer* timer = &t;
        QObject::connect(q.get(), &QTimer::timeout, this, [timer] { timer->Fire(); });
    }
    if (t.Enabled() && t.Interval() > 0) {
        q->start(t.Interval());  // (re)starting counts the interval anew, as the core's timers do
    } else {
        q->stop();
    }
}

}  // namespace tarvo
