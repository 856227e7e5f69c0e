#include "platform/gui/window_clock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace kob {

void WindowClock::Pause(uint32_t ms) {
    auto* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread()) {
        SystemClock::Pause(ms);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace kob
