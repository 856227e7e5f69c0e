#pragma once
// Window-side platform services: the mouse pointer, running pending events
// and handing work to the window thread.
#include <QPoint>
#include <functional>

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

// Lets the window handle its pending events (window thread only).
void RunPendingEvents();

// Runs work on a thread of its own while the window thread keeps painting,
// running its timers and taking work handed over; input from the operator
// that arrives meanwhile is discarded, never delivered later. Returns when
// work has ended. Elsewhere than on the window
// thread work simply runs.
void RunWhileWindowWaits(const std::function<void()>& work);

// Queues fn to run on the window thread when it next handles its events;
// returns at once. Safe from any thread, the window thread included.
void RunOnWindowThread(std::function<void()> fn);

// Runs fn on the window thread and returns when it has run: at once when
// called there, otherwise queued while the caller waits (the window thread
// must be handling events, not waiting for the caller).
void RunOnWindowThreadAndWait(const std::function<void()>& fn);

}  // namespace kob
