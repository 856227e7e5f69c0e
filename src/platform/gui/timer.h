#pragma once
// The timer control.
#include <QTimer>
#include <functional>

namespace kob {

// A periodic tick: on_tick every interval() ms while active.
class Timer : public QTimer {
    Q_OBJECT
  public:
    explicit Timer(QObject* parent = nullptr);
    std::function<void()> on_tick;
};

}  // namespace kob
