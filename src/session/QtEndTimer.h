#pragma once
// The shipped end-of-data timer (Timer1): a single-shot, precise QTimer of 1000 ms on the UI
// thread.

#include <QTimer>

#include "session/EndTimer.h"

namespace zq {

class QtEndTimer : public EndTimer {
  public:
    explicit QtEndTimer(int intervalMs = 1000);
    void start() override;
    void stop() override;
    bool isActive() const override;

    int intervalMs() const;
    // Qt::PreciseTimer: a coarse timer may tick up to 5 % early, and a pause of the device just
    // short of the interval must not end a read.
    Qt::TimerType timerType() const;

  private:
    QTimer timer_;
};

}  // namespace zq
