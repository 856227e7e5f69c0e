#pragma once
#include <functional>

namespace kob {

// Runs routine on a new detached thread and returns at once. False when no
// thread could be started: the routine has not run and will not.
bool StartWorkerThread(std::function<void()> routine);

// For tests: the next count starts fail as if the system had no thread left.
void FailNextWorkerThreadStarts(int count);

}  // namespace kob
