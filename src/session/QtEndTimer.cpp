#include "session/QtEndTimer.h"

namespace zq {

QtEndTimer::QtEndTimer(int intervalMs) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    timer_.setInterval(intervalMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTimeout) onTimeout();
    });
}

// QTimer::start restarts a running timer with a full interval.
void QtEndTimer::start() { timer_.start(); }
void QtEndTimer::stop() { timer_.stop(); }
bool QtEndTimer::isActive() const { return timer_.isActive(); }
int QtEndTimer::intervalMs() const { return timer_.interval(); }
Qt::TimerType QtEndTimer::timerType() const { return timer_.timerType(); }

}  // namespace zq
