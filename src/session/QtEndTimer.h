#pragma once
// The shipped end-of-data timer (Timer1): a single-shot QTimer of 1000 ms on the UI thread.

#include <QTimer>

#include "session/EndTimer.h"

namespace zq {

class QtEndTimer : public EndTimer {
  public:
    explicit QtEndTimer(int intervalMs = 1000);
    void start() override;
    void stop() override;
    bool isActive() const override;

  private:
    QTimer timer_;
};

}  // namespace zq
