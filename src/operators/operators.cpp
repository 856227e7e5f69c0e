#include "operators/operators.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "data/config.h"
#include "data/db.h"
#include "members/members.h"
#include "operators/operator_statements.h"
#include "platform/core/text.h"
#include "platform/core/thread.h"
#include "platform/gui/services.h"
#include "ui/layout.h"
#include "ui/main_window.h"

namespace kob {

namespace {

constexpr const char* kTitleNotice = "温馨提示";
constexpr const char* kPasswordUnknown =
    "网络异常，无法确认密码是否已修改，请稍后用新密码重新登录确认";
constexpr const char* kOperatorUnknown =
    "网络异常，无法确认管理员是否已新增，请先查看登录用户名列表再操作";
constexpr const char* kLoginUnreachable = "登录失败，无法连接服务器，请检查网络后重试";
constexpr const char* kErrorCodeTitle = "错误代码[0452155855]";

}  // namespace

struct Operators::WorkerState {
    // Worker side: how many workers still run.
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;
    // Window-thread side.
    bool alive = true;
    bool filled = false;
    // The list could not be read: it is read again after the next login
    // check that reaches the server.
    bool unread = false;
};

Operators::Operators(Program& program)
    : program_(program), worker_(std::make_shared<WorkerState>()) {}

Operators::~Operators() {
    worker_->alive = false;
    std::unique_lock lock(worker_->mutex);
    worker_->finished.wait(lock, [this] { return worker_->running == 0; });
}

void Operators::BindEvents() {
    auto& w = program_.window();
    w.按钮_登录系统->on_clicked = [this] { LogInOperator(); };
    w.编辑框_密码->on_key_down = [this](int key, int state) { OnPasswordBoxKeyDown(key, state); };
    w.编辑框_用户名->on_key_down = [this](int key, int state) {
        OnLoginNameBoxKeyDown(key, state);
    };
    w.按钮_系统设置->on_clicked = [this] { ShowSettingsPage(); };
    w.选择框_新纪录在最前->on_clicked = [this] { SaveListOrderOption(); };
    w.按钮_系统设置_修改密码->on_clicked = [this] { OpenPasswordChangePanel(); };
    w.编辑框_输入新密码->on_key_down = [this](int key, int state) {
        OnNewPasswordBoxKeyDown(key, state);
    };
    w.编辑框_新密码确认->on_key_down = [this](int key, int state) {
        OnNewPasswordConfirmBoxKeyDown(key, state);
    };
    w.按钮_修改密码确认->on_clicked = [this] { ConfirmPasswordChange(); };
    w.按钮_系统设置_新增管理员->on_clicked = [this] { OpenAddOperatorPanel(); };
    w.按钮_系统设置_新增管理员_确认->on_clicked = [this] { ConfirmAddOperator(); };
}

// ---------------------------------------------------------------- start-up

void Operators::StartLoginNameWorker() {
    // Counts the worker as running for as long as its routine exists, so a
    // thread that never starts does not leave the destructor waiting.
    struct Running {
        explicit Running(std::shared_ptr<WorkerState> state) : state(std::move(state)) {
            std::lock_guard lock(this->state->mutex);
            ++this->state->running;
        }
        ~Running() {
            std::lock_guard lock(state->mutex);
            --state->running;
            state->finished.notify_all();
        }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
        std::shared_ptr<WorkerState> state;
    };
    auto running = std::make_shared<Running>(worker_);
    StartWorkerThread([this, running] { FillLoginNameList(); });
}

bool Operators::LoginNameListFilled() const {
    return worker_->filled;
}

// ---------------------------------------------------------------- login

void Operators::LogInOperator() {
    auto& w = program_.window();
    w.载入条->Show();
    w.编辑框_用户名->SetText(w.组合框_登录用户名->Text());
    if (w.编辑框_用户名->Text().empty() || w.编辑框_密码->Text().empty()) {
        program_.dialogs.Message("登录失败，你没有输入用户名和密码", kTitleNotice,
                                 MessageButtons::Ok, MessageIcon::Error);
        w.载入条->Hide();
        return;
    }
    const LoginCheck check = VerifyOperatorLogin();
    if (check != LoginCheck::Unreachable && worker_->unread) {
        worker_->unread = false;
        worker_->filled = false;
        StartLoginNameWorker();
    }
    if (check != LoginCheck::Matches) {
        program_.dialogs.Message(
            check == LoginCheck::Unreachable ? kLoginUnreachable : "登录失败，请检查网络用户名密码",
            kTitleNotice, MessageButtons::Ok, MessageIcon::Error);
        w.载入条->Hide();
        w.编辑框_密码->Focus();
        return;
    }
    data::WriteConfig(data::kSectionConfig, data::kKeyLastLoginName, w.编辑框_用户名->Text());
    program_.LoggedIn = 1;
    w.编辑框_用户名->SetDisabled(true);
    w.编辑框_密码->SetDisabled(true);
    w.按钮_登录系统->SetDisabled(true);
    w.组合框_登录用户名->SetDisabled(true);
    RunPendingEvents();
    program_.clock.Pause(2000);
    w.按钮_登录系统->SetCaption("登录成功");
    RunPendingEvents();
    // Hides the spinner and opens the members page.
    program_.members->ShowMembersPage();
}

Operators::LoginCheck Operators::VerifyOperatorLogin() {
    auto& w = program_.window();
    const std::string sql = OperatorLoginQuery(w.编辑框_用户名->Text());
    // Waits here while the login-name worker still holds the connection.
    data::RecordSet result = program_.ReadWhileWaiting(*w.载入条, [&] {
        data::SharedSession session = program_.db.Acquire();
        return session.Query(sql);
    });
    if (result.Failed()) {
        return LoginCheck::Unreachable;
    }
    // Only the first row counts; without one every text reads empty and
    // the typed (never empty) password cannot match.
    const std::string boss_key = result.Text("boss_key");
    program_.CurrentOperator.boss_id = result.Text("boss_id");
    program_.CurrentOperator.boss_name = result.Text("boss_name");
    program_.CurrentOperator.boss_tel = result.Text("boss_tel");
    data::FreeRecordSet(result);
    return boss_key == w.编辑框_密码->Text() ? LoginCheck::Matches : LoginCheck::DoesNotMatch;
}

void Operators::OnPasswordBoxKeyDown(int key_code, int /*key_state*/) {
    if (key_code == kKeyEnter) {
        LogInOperator();
    }
}

void Operators::OnLoginNameBoxKeyDown(int key_code, int /*key_state*/) {
    if (key_code == kKeyEnter) {
        program_.window().编辑框_密码->Focus();
    }
}

// ---------------------------------------------------------------- login names

void Operators::ReadOperatorRow(data::SharedSession& session, OperatorRecord& record,
                                int32_t row_number) {
    data::RecordSet& set = session.SharedRecordSet();
    set.MoveTo(static_cast<uint64_t>(row_number - 1));
    record.boss_id = set.Text("boss_id");
    record.boss_tel = set.Text("boss_tel");
    record.boss_name = set.Text("boss_name");
    record.boss_key = set.Text("boss_key");
}

void Operators::FillLoginNameList() {
    auto state = worker_;
    // The drop-down is the window's: every change to it is queued there.
    RunOnWindowThread([this, state] {
        if (state->alive && program_.main_window) {
            program_.window().组合框_登录用户名->ClearItems();
        }
    });
    std::vector<std::string> items;
    int preselected = 0;
    bool unread = false;
    {
        // The connection and the shared result stay this thread's from the
        // query until the result is freed; a login waits meanwhile.
        data::SharedSession session = program_.db.Acquire();
        const data::Rows rows = session.RunQuery(OperatorListQuery());
        unread = rows.Failed();
        const auto n = static_cast<int32_t>(std::min<int64_t>(rows.count, INT32_MAX));
        OperatorRecord record;
        for (int32_t i = 1; i <= n; ++i) {
            ReadOperatorRow(session, record, i);
            items.push_back(record.boss_tel);
            if (record.boss_tel ==
                data::ReadConfig(data::kSectionConfig, data::kKeyLastLoginName)) {
                preselected = i - 1;
            }
        }
        session.FreeSharedRecordSet();
    }
    RunOnWindowThread([this, state, items = std::move(items), preselected, unread] {
        if (!state->alive || !program_.main_window) {
            return;
        }
        // Silent at start-up: the login that follows says the server is away.
        state->unread = unread;
        ComboBox& combo = *program_.window().组合框_登录用户名;
        for (const std::string& item : items) {
            combo.AddItem(item);
        }
        if (combo.ItemCount() > 0) {
            combo.SetCurrentItem(preselected);
        }
        state->filled = true;
    });
}

// ---------------------------------------------------------------- settings

void Operators::ShowSettingsPage() {
    if (program_.LoggedIn == 0) {
        return;
    }
    auto& w = program_.window();
    w.选择夹1->SetCurrentPage(3);
    w.外形框_系统设置->Show();
    w.外形框_修改密码->Hide();
    w.外形框_系统设置_新增管理员->Hide();
    w.外形框_修改消费项目->Hide();
}

void Operators::SaveListOrderOption() {
    const bool ticked = program_.window().选择框_新纪录在最前->Ticked();
    data::WriteConfig(data::kSectionListDisplay, data::kKeyNewestFirst, ticked ? "真" : "假");
}

bool Operators::PasswordReentry(const std::string& prompt, const std::string& title) {
    const std::optional<std::string> typed =
        program_.dialogs.Input(prompt, title, {}, true, layout::kPasswordChars);
    if (!typed) {
        return false;
    }
    if (*typed != program_.window().编辑框_密码->Text()) {
        program_.dialogs.Message("密码验证错误，不能修改", kTitleNotice, MessageButtons::Ok,
                                 MessageIcon::None);
        return false;
    }
    return true;
}

void Operators::HideSettingsSubPanels() {
    auto& w = program_.window();
    w.外形框_修改密码->Hide();
    w.外形框_系统设置_新增管理员->Hide();
    w.外形框_修改消费项目->Hide();
}

void Operators::ShowSettingsSubPanel(PushButton& button, Frame& panel) {
    panel.move(button.Left(), layout::PanelTopBelow(button));
    panel.Show();
    panel.BringToFront();
}

bool Operators::OpenSubPanelAfterReentry(const std::string& prompt, const std::string& title,
                                         PushButton& button, Frame& panel) {
    HideSettingsSubPanels();
    RunPendingEvents();
    if (!PasswordReentry(prompt, title)) {
        return false;
    }
    ShowSettingsSubPanel(button, panel);
    return true;
}

// ---------------------------------------------------------------- password change

void Operators::OpenPasswordChangePanel() {
    auto& w = program_.window();
    if (OpenSubPanelAfterReentry("修改密码需要二次确认原密码，请输入", "原密码二次确认",
                                 *w.按钮_系统设置_修改密码, *w.外形框_修改密码)) {
        w.编辑框_输入新密码->Focus();
    }
}

void Operators::OnNewPasswordBoxKeyDown(int key_code, int /*key_state*/) {
    if (key_code == kKeyEnter) {
        program_.window().编辑框_新密码确认->Focus();
    }
}

void Operators::OnNewPasswordConfirmBoxKeyDown(int key_code, int /*key_state*/) {
    if (key_code == kKeyEnter) {
        ConfirmPasswordChange();
    }
}

void Operators::ConfirmPasswordChange() {
    auto& w = program_.window();
    const std::string new_password = w.编辑框_输入新密码->Text();
    const std::string confirmation = w.编辑框_新密码确认->Text();
    if (new_password.empty() || confirmation.empty() || new_password != confirmation) {
        program_.dialogs.Message("两次输入密码不一样，请重试", kTitleNotice, MessageButtons::Ok,
                                 MessageIcon::None);
        w.编辑框_输入新密码->Focus();
        return;
    }
    if (new_password == w.编辑框_密码->Text()) {
        program_.dialogs.Message("你输入的新密码和原密码一致，无需修改", kTitleNotice,
                                 MessageButtons::Ok, MessageIcon::None);
        w.编辑框_输入新密码->Focus();
        return;
    }
    // The rows of the name as typed at the login, not the row's own text.
    const data::Write write = PasswordChangeWrite(w.编辑框_用户名->Text(), new_password);
    const data::Result changed = program_.WriteWhileWaiting(*w.载入条, [&] {
        data::SharedSession session = program_.db.Acquire();
        return session.Write(write);
    });
    if (changed.Unknown()) {
        program_.dialogs.Message(kPasswordUnknown, kTitleNotice, MessageButtons::Ok,
                                 MessageIcon::Warning);
        return;
    }
    if (!changed) {
        program_.dialogs.Message("修改失败，请联系管理员", kErrorCodeTitle, MessageButtons::Ok,
                                 MessageIcon::Error);
        return;
    }
    program_.dialogs.Message("修改成功，需要重新登录", kTitleNotice, MessageButtons::Ok,
                             MessageIcon::None);
    program_.ExitProcess(0);
}

// ---------------------------------------------------------------- new operators

void Operators::OpenAddOperatorPanel() {
    auto& w = program_.window();
    if (OpenSubPanelAfterReentry("新增管理员需要二次确认密码，请输入", "密码二次确认",
                                 *w.按钮_系统设置_新增管理员, *w.外形框_系统设置_新增管理员)) {
        w.编辑框_新增管理员_姓名->Focus();
    }
}

void Operators::ConfirmAddOperator() {
    auto& w = program_.window();
    const std::string name = w.编辑框_新增管理员_姓名->Text();
    const std::string login_name = w.编辑框_新增管理员_手机号->Text();
    const std::string password = w.编辑框_新增管理员_密码->Text();
    const std::string confirmation = w.编辑框_新增管理员_密码确认->Text();
    if (name.empty() || login_name.empty() || password.empty()) {
        program_.ShowBalloonTip("姓名、手机号、密码都不能为空，请重试");
        // Ends on the last empty box of the three.
        if (name.empty()) {
            w.编辑框_新增管理员_姓名->Focus();
        }
        if (login_name.empty()) {
            w.编辑框_新增管理员_手机号->Focus();
        }
        if (password.empty()) {
            w.编辑框_新增管理员_密码->Focus();
        }
        return;
    }
    if (password != confirmation) {
        program_.ShowBalloonTip("两次输入密码不一样，请重试");
        w.编辑框_新增管理员_密码确认->Focus();
        return;
    }
    // The insert only writes while the name is free, so a desk that takes it
    // meanwhile leaves the row unwritten, which the read-back tells.
    const data::Write write = OperatorInsertWrite(login_name, name, password);
    bool taken = false;
    const data::Result inserted = program_.WriteWhileWaiting(*w.载入条, [&] {
        data::SharedSession session = program_.db.Acquire();
        data::RecordSet before = session.Query(OperatorInsertPrecheck(write, login_name));
        if (before.Failed() || before.RowCount() == 0) {
            return data::Result{};  // nothing was written
        }
        taken = before.Text("taken") == "1";
        if (taken) {
            return data::Result{};
        }
        data::Result result = session.Write(write);
        if (result) {
            const data::RecordSet mine = session.Query(write.check_sql(before.Text("mark")));
            if (!mine.Failed() && mine.RowCount() == 0) {
                taken = true;  // another desk took the name meanwhile
                return data::Result{};
            }
        }
        return result;
    });
    if (taken) {
        program_.ShowBalloonTip("该登录名已经存在，请更换登录名");
        w.编辑框_新增管理员_手机号->Focus();
        return;
    }
    if (inserted.Unknown()) {
        program_.ShowBalloonTip(kOperatorUnknown);  // a retry could add the account twice
        return;
    }
    if (!inserted) {
        program_.ShowBalloonTip("新增管理员失败，请联系管理员，错误代码[0452155855]");
        return;
    }
    program_.ShowBalloonTip("操作成功，你可以使用新账户登录系统");
    w.编辑框_新增管理员_姓名->SetText("");
    w.编辑框_新增管理员_手机号->SetText("");
    w.编辑框_新增管理员_密码->SetText("");
    w.编辑框_新增管理员_密码确认->SetText("");
}

}  // namespace kob
