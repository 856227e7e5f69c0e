#include "platform/gui/timer.h"

namespace kob {

Timer::Timer(QObject* parent) : QTimer(parent) {
    connect(this, &QTimer::timeout, this, [this] {
        if (on_tick) {
            on_tick();
        }
    });
}

}  // namespace kob
