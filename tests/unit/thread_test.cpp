#include "platform/core/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/core/clock.h"

namespace kob {
namespace {

TEST(StartWorkerThread, RunsTheRoutineOnAnotherThread) {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::thread::id ran_on;
    EXPECT_TRUE(StartWorkerThread([&] {
        std::lock_guard lock(mutex);
        ran_on = std::this_thread::get_id();
        finished = true;
        done.notify_one();
    }));
    std::unique_lock lock(mutex);
    ASSERT_TRUE(done.wait_for(lock, std::chrono::seconds(30), [&] { return finished; }));
    EXPECT_NE(ran_on, std::this_thread::get_id());
}

TEST(SystemClock, TicksForwardAndKnowsTheDate) {
    SystemClock clock;
    const uint32_t first = clock.TickCount();
    const uint32_t second = clock.TickCount();
    EXPECT_LE(static_cast<int32_t>(second - first), 1000);
    EXPECT_GE(static_cast<int32_t>(second - first), 0);
    EXPECT_GT(clock.Now(), 45000.0);  // after 2023
}

}  // namespace
}  // namespace kob
