#pragma once
// Time as the program sees it: a wrapping 32-bit millisecond tick, the local
// date-time and a pause. Injectable so tests move time instead of waiting
// (tests/support/manual_clock.h).
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

}  // namespace kob
