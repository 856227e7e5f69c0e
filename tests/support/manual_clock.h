#pragma once
// A clock for tests: time stands still until the test moves it, so the
// 60000 ms reuse rule, the login wait and the like need no real waiting.
#include <cstdint>

#include "platform/core/clock.h"

namespace kob {

// Pause moves time as far as asked.
class ManualClock : public Clock {
  public:
    explicit ManualClock(uint32_t tick = 1000, double now = 45000.5) : tick_(tick), now_(now) {}
    uint32_t TickCount() override { return tick_; }
    double Now() override { return now_; }
    void Pause(uint32_t ms) override { Advance(ms); }
    void Advance(uint32_t ms) {
        tick_ += ms;
        now_ += ms / 86400000.0;
    }
    void SetTick(uint32_t tick) { tick_ = tick; }
    void SetNow(double now) { now_ = now; }

  private:
    uint32_t tick_;
    double now_;
};

}  // namespace kob
