#pragma once
// The clock the program runs on: SystemClock whose Pause handles the
// window's events while it waits (on the window thread; elsewhere it sleeps
// as SystemClock does).
#include <cstdint>

#include "platform/core/clock.h"

namespace kob {

class WindowClock : public SystemClock {
  public:
    void Pause(uint32_t ms) override;
    void Sleep(uint32_t ms) override { SystemClock::Pause(ms); }
};

}  // namespace kob
