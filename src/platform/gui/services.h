#pragma once
// Window-side platform services: the mouse pointer, running pending events,
// handing work to the window thread, and a clock whose pause keeps the
// window alive.
#include <QPoint>
#include <functional>

#include "platform/core/clock.h"

namespace kob {

class Pointer {
public:
    virtual ~Pointer() = default;
    virtual QPoint Position() = 0;  // screen coordinates
};

class CursorPointer : public Pointer {
public:
    QPoint Position() override;
};

class FixedPointer : public Pointer {
public:
    explicit FixedPointer(QPoint at = {500, 400}) : at_(at) {}
    QPoint Position() override { return at_; }
    void MoveTo(QPoint at) { at_ = at; }

private:
    QPoint at_;
};

// SystemClock whose Pause handles the window's events while it waits.
class WindowClock : public SystemClock {
public:
    void Pause(uint32_t ms) override;
};

// Lets the window handle its pending events.
void RunPendingEvents();

// Runs fn on the window thread (queued; at once when already there and
// `queued_even_here` is false).
void RunOnWindowThread(std::function<void()> fn);

}  // namespace kob
