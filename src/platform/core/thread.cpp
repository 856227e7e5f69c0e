#include "platform/core/thread.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace kob {
namespace {

std::atomic<int> failures_to_come{0};

bool TakeFailure() {
    int n = failures_to_come.load();
    while (n > 0 && !failures_to_come.compare_exchange_weak(n, n - 1)) {
    }
    return n > 0;
}

}  // namespace

bool StartWorkerThread(std::function<void()> routine) {
    try {
        if (TakeFailure()) {
            throw std::system_error(
                std::make_error_code(std::errc::resource_unavailable_try_again));
        }
        std::thread(std::move(routine)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

void FailNextWorkerThreadStarts(int count) {
    failures_to_come.store(count > 0 ? count : 0);
}

}  // namespace kob
