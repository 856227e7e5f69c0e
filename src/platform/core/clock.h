#pragma once
// Time as the program sees it: a wrapping 32-bit millisecond tick, the local
// date-time and a pause. Injectable so tests move time instead of waiting.
#include <cstdint>
#include <functional>

namespace kob {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps at 2^32.
    virtual uint32_t TickCount() = 0;
    // Local date and time as an OLE automation date.
    virtual double Now() = 0;
    // Waits ms milliseconds. The window's implementation keeps handling events.
    virtual void Pause(uint32_t ms) = 0;
    // Waits ms milliseconds without handling any event, even on the window
    // thread (nothing may run in between).
    virtual void Sleep(uint32_t ms) { Pause(ms); }
};

// Steady clock and the system's local time; Pause sleeps the calling thread.
class SystemClock : public Clock {
  public:
    uint32_t TickCount() override;
    double Now() override;
    void Pause(uint32_t ms) override;
};

// For tests: time stands still until moved; Pause moves it.
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
