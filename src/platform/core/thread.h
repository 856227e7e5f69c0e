#pragma once
#include <functional>

namespace kob {

// Runs routine on a new detached thread and returns at once. A thread that
// cannot be started leaves the work undone, unnoticed.
void StartWorkerThread(std::function<void()> routine, int parameter = 0);

}  // namespace kob
