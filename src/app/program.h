#pragma once
// The program state and everything a handler reaches: the window and its
// controls, the platform services, the database and the subsystems.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/db.h"
#include "data/table_rows.h"
#include "platform/core/clock.h"
#include "platform/gui/dialogs.h"
#include "platform/gui/services.h"

class QWidget;

namespace kob {

class MainWindow;
class ReportList;
class Operators;
class Members;
class Checkout;
class Records;

// Column sort state shared by the three sortable lists.
struct SortState {
    ReportList* list = nullptr;
    int32_t direction = 0;  // flipped on every sort; 1 ascending
    int32_t column = 0;
    int32_t kind = 0;  // 1 text, 2 date-time, 3 number
    int32_t arrow_column = 0;
};

class Program {
  public:
    // Services the program uses; tests pass scripted ones.
    struct Services {
        Clock* clock = nullptr;
        Dialogs* dialogs = nullptr;
        Pointer* pointer = nullptr;
    };
    explicit Program(Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Builds the window, constructs the subsystems, binds their events and
    // runs the created event (OnMainWindowCreated).
    void CreateMainWindow();
    // Shows the window centred on the screen.
    void ShowMainWindow();

    // The window's created event.
    void OnMainWindowCreated();
    // The page-changed event of 选择夹1: the login guard.
    void OnPageStackChanged();

    Clock& clock;
    Dialogs& dialogs;
    Pointer& pointer;
    data::Database db;

    std::unique_ptr<MainWindow> main_window;
    MainWindow& window() { return *main_window; }

    // Program state.
    OperatorTexts CurrentOperator;
    int32_t LoggedIn = 0;
    std::atomic<int32_t> MemberListRefreshing{0};
    SortState ListSortState;

    std::unique_ptr<Operators> operators;
    std::unique_ptr<Members> members;
    std::unique_ptr<Checkout> checkout;
    std::unique_ptr<Records> records;

    // The balloon at the pointer moved 10 pixels up.
    void ShowBalloonTip(const std::string& text);
    // A write to the server (which may have to be settled): spinner shows
    // while the window waits for it; input meanwhile is discarded.
    data::Result WriteWhileWaiting(QWidget& spinner, const std::function<data::Result()>& write);
    // A read the window waits for the same way; the spinner shows only when
    // the server is slow to answer (a healthy one answers before it would).
    template <class Read>
    auto ReadWhileWaiting(QWidget& spinner, Read&& read) {
        decltype(read()) result{};
        WaitForServer(spinner, kSpinnerDelayMs, [&] { result = read(); });
        return result;
    }
    // Says that what the operator asked for could not be read.
    void TellReadFailed();

    // A money write whose outcome could not be learnt in time. Kept, in
    // memory only, until a request reaches the server again; then settled,
    // told and its member's row refreshed.
    struct UnsettledWrite {
        data::Write write;
        data::Unsettled lost;
        std::string card;
        std::string done_text;      // told when it took effect
        std::string not_done_text;  // told when it did not
    };
    void KeepUnsettled(UnsettledWrite write);
    bool HasUnsettled(const std::string& card) const;
    // Settles what can be settled now, the window waiting; tells each outcome
    // learnt. Nothing happens while a settling runs already.
    void SettleUnsettled();
    // The card's member has changed on the server: its row is read again.
    std::function<void(const std::string& card)> on_member_changed;
    // Told when a recharge or checkout waits for an earlier one of its card.
    static constexpr const char* kStillSettling =
        "该会员之前的一笔操作仍在确认中，请稍后再试，以免重复记账";
    static constexpr int kSpinnerDelayMs = 300;

    // Ends the process at once with code, the exit clean-up first. When a
    // test has set exit_hook, that is called instead and this returns.
    void ExitProcess(int code);
    // Tests replace the process end (so a test can observe it).
    std::function<void(int code)> exit_hook;

  private:
    std::vector<UnsettledWrite> unsettled_;
    bool settling_ = false;
    int waits_ = 0;  // nested waits for the server
    // A failure a worker handed over during a wait: told after it, as no box
    // can take a click while the window waits.
    bool read_failed_during_wait_ = false;
    void Wait(const std::function<void()>& work);
    // work on a thread of its own while the window runs and discards input;
    // spinner shown after show_after_ms (0: at once).
    void WaitForServer(QWidget& spinner, int show_after_ms, const std::function<void()>& work);
};

// Told when a read could not be read: nothing is shown as if it were empty.
inline constexpr const char* kReadFailedText = "网络异常，未能读取数据，请稍后重试";

// The exit clean-up: releases the CurrentOperator texts of the program
// StartProgram runs, once, however the process ends. Register it first
// thing; name the program once it exists.
void RegisterExitCleanUp();
void SetExitCleanUpProgram(Program* program);
void ExitCleanUp();

// What the balloon shows for an empty text.
inline constexpr const char* kBalloonDefaultText = "感谢你使用Nuvarte软件";

}  // namespace kob
