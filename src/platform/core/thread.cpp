#include "platform/core/thread.h"

#include <system_error>
#include <thread>

namespace kob {

void StartWorkerThread(std::function<void()> routine, int /*parameter*/) {
    try {
        std::thread(std::move(routine)).detach();
    } catch (const std::system_error&) {
        // No thread, no work: the caller is not told.
    }
}

}  // namespace kob
