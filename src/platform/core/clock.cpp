#include "platform/core/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "platform/core/datetime.h"

namespace kob {

uint32_t SystemClock::TickCount() {
    // CLOCK_MONOTONIC counts from boot, like the Windows tick count; only its
    // low 32 bits are kept so that it wraps the same way.
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

double SystemClock::Now() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        now.time_since_epoch() - std::chrono::seconds(seconds))
                        .count();
    std::tm local{};
    localtime_r(&seconds, &local);
    CivilTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.millisecond = static_cast<int>(ms);
    return CivilToOle(t);
}

void SystemClock::Pause(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace kob
