#include "platform/gui/services.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QThread>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace kob {

QPoint CursorPointer::Position() {
    return QCursor::pos();
}

void RunPendingEvents() {
    QCoreApplication::processEvents();
}

namespace {

// Work handed to the window thread. Another thread only touches the queue
// (under its mutex) and an eventfd; the window thread's notifier wakes on the
// eventfd and runs the queue. No Qt object crosses threads, so the hand-over
// is ordered by the mutex alone, which the thread sanitizer also sees.
struct WindowQueue {
    std::mutex mutex;
    std::deque<std::function<void()>> work;
    int wake_fd = -1;
    QSocketNotifier* notifier = nullptr;  // lives on the window thread

    void RunAll() {
        uint64_t count = 0;
        while (::read(wake_fd, &count, sizeof count) > 0) {
        }
        for (;;) {
            std::function<void()> fn;
            {
                std::lock_guard lock(mutex);
                if (work.empty()) {
                    return;
                }
                fn = std::move(work.front());
                work.pop_front();
            }
            fn();
        }
    }
};

WindowQueue& Queue() {
    static WindowQueue queue;
    return queue;
}

// Set up on the window thread as the application starts, before any worker
// can hand work over.
void StartWindowQueue() {
    WindowQueue& queue = Queue();
    if (queue.notifier != nullptr) {
        return;
    }
    queue.wake_fd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (queue.wake_fd < 0) {
        return;
    }
    queue.notifier =
        new QSocketNotifier(queue.wake_fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(queue.notifier, &QSocketNotifier::activated, queue.notifier,
                     [] { Queue().RunAll(); });
    QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
        WindowQueue& q = Queue();
        q.notifier = nullptr;  // deleted with the application
    });
}
Q_COREAPP_STARTUP_FUNCTION(StartWindowQueue)

bool OnWindowThread() {
    auto* app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

// Eats the operator's input while the window waits. Excluding input from the
// loop only holds it back: a click made during the wait would be delivered
// after it, to whatever the window then shows.
class InputDiscarder : public QObject {
  public:
    bool eventFilter(QObject* target, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseMove:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::ContextMenu:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletMove:
            case QEvent::TabletRelease:
            case QEvent::InputMethod:
            case QEvent::Close:  // the window is not closed under a write
                event->ignore();
                return true;
            default:
                return QObject::eventFilter(target, event);
        }
    }
};

}  // namespace

void RunOnWindowThread(std::function<void()> fn) {
    WindowQueue& queue = Queue();
    {
        std::lock_guard lock(queue.mutex);
        queue.work.push_back(std::move(fn));
    }
    if (queue.wake_fd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(queue.wake_fd, &one, sizeof one);
    }
}

void RunWhileWindowWaits(const std::function<void()>& work) {
    if (!OnWindowThread() || QCoreApplication::instance() == nullptr || Queue().wake_fd < 0) {
        work();
        return;
    }
    // The quit is handed over, so it runs inside exec, never before it; the
    // loop lives until then even if the application quits it first.
    auto loop = std::make_shared<QEventLoop>();
    InputDiscarder discarder;
    QCoreApplication::instance()->installEventFilter(&discarder);
    std::thread worker([&work, loop]() mutable {
        work();
        RunOnWindowThread([loop = std::move(loop)] { loop->quit(); });
    });
    loop->exec();
    worker.join();
    QCoreApplication::instance()->removeEventFilter(&discarder);
}

void RunOnWindowThreadAndWait(const std::function<void()>& fn) {
    if (OnWindowThread()) {
        fn();
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    RunOnWindowThread([&fn, &done] {
        fn();
        done.set_value();
    });
    finished.wait();
}

}  // namespace kob

#if defined(__SANITIZE_THREAD__)
// Qt's raster engine fills large areas on its own thread pool, and Qt is not
// built for the thread sanitizer: the pool's hand-over is invisible to it and
// every large repaint looks like a race inside Qt. Ignore what Qt's libraries
// do among themselves; races in our code are still reported.
extern "C" const char* __tsan_default_suppressions() {
    // GLib, under Qt's event dispatcher, hands its memory blocks between the
    // threads of Qt's own pool in the same unseen way.
    return "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n";
}
#endif
