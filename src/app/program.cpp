#include "app/program.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "checkout/checkout.h"
#include "data/config.h"
#include "members/members.h"
#include "operators/operators.h"
#include "records/records.h"
#include "ui/main_window.h"

namespace kob {

namespace {

std::atomic<Program*> g_clean_up_program{nullptr};

// Frees a text's storage, not only its contents.
void Release(std::string& text) {
    std::string().swap(text);
}

}  // namespace

Program::Program(Services services)
    : clock(*services.clock),
      dialogs(*services.dialogs),
      pointer(*services.pointer),
      db(*services.clock) {}

Program::~Program() {
    // The window goes first: its controls hold handlers of the subsystems.
    main_window.reset();
    if (g_clean_up_program.load() == this) {
        g_clean_up_program.store(nullptr);
    }
}

void Program::CreateMainWindow() {
    main_window = std::make_unique<MainWindow>(clock.Now());
    MainWindow& w = *main_window;
    operators = std::make_unique<Operators>(*this);
    members = std::make_unique<Members>(*this);
    checkout = std::make_unique<Checkout>(*this);
    records = std::make_unique<Records>(*this);

    w.on_created = [this] { OnMainWindowCreated(); };
    w.选择夹1->on_page_changed = [this] { OnPageStackChanged(); };
    operators->BindEvents();
    members->BindEvents();
    checkout->BindEvents();
    records->BindEvents();

    w.RaiseCreated();
}

void Program::ShowMainWindow() {
    MainWindow& w = window();
    QScreen* screen = QGuiApplication::primaryScreen();
    auto centre = [&] {
        if (screen == nullptr) {
            return;
        }
        // The frame's size is known once the window is shown.
        const QRect area = screen->availableGeometry();
        const QSize frame = w.frameGeometry().size();
        w.move(area.x() + (area.width() - frame.width()) / 2,
               area.y() + (area.height() - frame.height()) / 2);
    };
    centre();
    w.show();
    centre();
}

void Program::OnMainWindowCreated() {
    MainWindow& w = window();
    // 1. The design height is 887; the program runs 700 high.
    w.SetHeight(700);
    // 2. The login page.
    w.选择夹1->SetCurrentPage(3);
    // 3. The tab strip goes up behind the side buttons.
    w.选择夹1->SetTop(105);
    // 4. The login-name holder, hidden: the window holds the focus for it and
    //    passes it the keys, so Return moves on to the password box.
    w.编辑框_用户名->Focus();
    // 5. ListOrderOption: ticked only for "真".
    w.选择框_新纪录在最前->SetTicked(
        data::ReadConfig(data::kSectionListDisplay, data::kKeyNewestFirst) == "真");
    // 6. FillLoginNameList on a worker thread (StartWorkerThread),
    //    without waiting for it.
    operators->StartLoginNameWorker();
    // 7. The spare list is never shown.
    w.超级列表框_会员管理_会员列表备用->Hide();
}

void Program::OnPageStackChanged() {
    // Until a login the stack stays on the login page. Setting the page from
    // code raises no page-changed event, so this cannot cycle.
    if (LoggedIn == 0) {
        window().选择夹1->SetCurrentPage(3);
    }
}

void Program::ShowBalloonTip(const std::string& text) {
    const QPoint at = pointer.Position();
    window().气球提示框1->ShowAt(text.empty() ? std::string(kBalloonDefaultText) : text,
                                 QPoint(at.x(), at.y() - 10));
}

void Program::WaitForServer(QWidget& spinner, int show_after_ms,
                            const std::function<void()>& work) {
    const bool was_shown = !spinner.isHidden();
    auto show = [&spinner] {
        spinner.show();
        spinner.raise();
    };
    QTimer later;
    if (show_after_ms <= 0) {
        show();
    } else {
        later.setSingleShot(true);
        QObject::connect(&later, &QTimer::timeout, show);
        later.start(show_after_ms);
    }
    const uint64_t answers = data::ServerAnswers();
    Wait(work);
    later.stop();
    if (!was_shown) {
        spinner.hide();
    }
    // The server answers again: what was left unknown can be learnt now.
    if (!unsettled_.empty() && data::ServerAnswers() != answers) {
        SettleUnsettled();
    }
}

void Program::KeepUnsettled(UnsettledWrite write) {
    unsettled_.push_back(std::move(write));
}

bool Program::HasUnsettled(const std::string& card) const {
    for (const UnsettledWrite& w : unsettled_) {
        if (w.card == card) {
            return true;
        }
    }
    return false;
}

void Program::SettleUnsettled() {
    // Not inside another wait: no box could take a click there.
    if (settling_ || unsettled_.empty() || waits_ > 0) {
        return;
    }
    settling_ = true;
    std::vector<UnsettledWrite> pending = std::move(unsettled_);
    unsettled_.clear();
    std::vector<data::Result> results(pending.size());
    Wait([&] {
        for (size_t i = 0; i < pending.size(); ++i) {
            results[i] = data::SettleLater(pending[i].write, pending[i].lost);
        }
    });
    std::vector<const UnsettledWrite*> learnt;
    for (size_t i = 0; i < pending.size(); ++i) {
        if (results[i].Unknown()) {
            if (results[i].unsettled) {
                pending[i].lost = *results[i].unsettled;
            }
            unsettled_.push_back(std::move(pending[i]));
            continue;
        }
        dialogs.Message(results[i] ? pending[i].done_text : pending[i].not_done_text, "温馨提示",
                        MessageButtons::Ok, MessageIcon::Information);
        learnt.push_back(&pending[i]);
    }
    for (const UnsettledWrite* w : learnt) {
        if (on_member_changed) {
            on_member_changed(w->card);
        }
    }
    settling_ = false;
}

data::Result Program::WriteWhileWaiting(QWidget& spinner,
                                        const std::function<data::Result()>& write) {
    data::Result result;
    WaitForServer(spinner, 0, [&] { result = write(); });
    return result;
}

void Program::Wait(const std::function<void()>& work) {
    ++waits_;
    RunWhileWindowWaits(work);
    if (--waits_ == 0 && read_failed_during_wait_) {
        read_failed_during_wait_ = false;
        TellReadFailed();
    }
}

void Program::TellReadFailed() {
    if (waits_ > 0) {
        read_failed_during_wait_ = true;
        return;
    }
    dialogs.Message(kReadFailedText, "温馨提示", MessageButtons::Ok, MessageIcon::Warning);
}

void Program::ExitProcess(int code) {
    if (exit_hook) {
        exit_hook(code);
        return;
    }
    std::fflush(nullptr);
    // Worker threads may still run and use the program: end without
    // destroying anything; the clean-up runs as a quick-exit handler.
    std::quick_exit(code);
}

void RegisterExitCleanUp() {
    std::atexit(ExitCleanUp);
    std::at_quick_exit(ExitCleanUp);
}

void SetExitCleanUpProgram(Program* program) {
    g_clean_up_program.store(program);
}

void ExitCleanUp() {
    static std::atomic<bool> done{false};
    if (done.exchange(true)) {
        return;
    }
    if (Program* program = g_clean_up_program.load()) {
        Release(program->CurrentOperator.boss_id);
        Release(program->CurrentOperator.boss_name);
        Release(program->CurrentOperator.boss_tel);
    }
}

}  // namespace kob
