// The process entry: the window thread's event loop around the main window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "platform/gui/dialogs.h"
#include "platform/gui/services.h"
#include "platform/gui/window_clock.h"
#include "ui/main_window.h"

namespace {

[[noreturn]] void StartProgram() {
    // 1. The clean-up runs at every end of the process.
    kob::RegisterExitCleanUp();

    // The program lives until the process ends: a worker thread may still
    // be using it when the loop returns.
    static kob::WindowClock clock;
    static kob::QtDialogs dialogs;
    static kob::CursorPointer pointer;
    static kob::Program program({&clock, &dialogs, &pointer});
    kob::SetExitCleanUpProgram(&program);

    // 2. The window, its created event, then shown.
    program.CreateMainWindow();
    dialogs.SetOwner(program.main_window.get());
    program.ShowMainWindow();

    // 3. The message loop, until the main window has been closed.
    QApplication::exec();

    // 4. Exit code 0. Nothing is torn down, so a worker still running cannot
    //    touch freed state; quick_exit runs the clean-up.
    std::fflush(nullptr);
    std::quick_exit(0);
}

}  // namespace

int main(int argc, char** argv) {
    // The program takes no command line. Qt would act on options of its own
    // (-reverse, -style, -platform, ...), so it sees the program's name only.
    static char fallback_name[] = "kobrelan";
    static char* qt_argv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallback_name, nullptr};
    static int qt_argc = 1;
    QApplication app(qt_argc, qt_argv);
    QApplication::setApplicationName("kobrelan");
    StartProgram();
}
