#pragma once
// The seam to a timer that ticks once on the user-interface thread a fixed interval after it
// was last started (Timer1, the end-of-data timer of a device read).

#include <functional>

namespace zq {

class EndTimer {
  public:
    virtual ~EndTimer() = default;
    // Starts a full new interval, also when already running.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
    // Called on each expiry; the handler is expected to stop the timer.
    std::function<void()> onTimeout;
};

}  // namespace zq
