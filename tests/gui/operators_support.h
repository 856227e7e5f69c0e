#pragma once
// What the operators tests share: one run of the program against the test
// server, with a clock whose pause the test can look into, and bosslist
// rows written straight to the server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "data/config.h"
#include "operators/operators.h"
#include "platform/core/text.h"
#include "support/db_fixture.h"
#include "support/fixed_pointer.h"
#include "support/manual_clock.h"
#include "support/scripted_dialogs.h"
#include "support/window_fixture.h"
#include "ui/main_window.h"

namespace kob::test {

// A ManualClock that lets the test look at the window in the middle of a
// pause. The login-name worker reads the tick too, so reads and moves are
// locked.
class PausingClock : public ManualClock {
  public:
    uint32_t TickCount() override {
        std::lock_guard lock(mutex_);
        return ManualClock::TickCount();
    }
    double Now() override {
        std::lock_guard lock(mutex_);
        return ManualClock::Now();
    }
    void Pause(uint32_t ms) override {
        if (on_pause) {
            on_pause(ms);
        }
        std::lock_guard lock(mutex_);
        ManualClock::Pause(ms);
    }
    std::function<void(uint32_t ms)> on_pause;

  private:
    std::mutex mutex_;
};

// One start of the program: built, shown and, unless asked otherwise, waited
// for until the login-name worker's items have reached the drop-down.
class ProgramRun {
  public:
    ProgramRun()
        : program(std::make_unique<Program>(Program::Services{&clock, &dialogs, &pointer})) {
        program->exit_hook = [this](int code) { exit_code = code; };
    }
    ~ProgramRun() {
        program.reset();
        QApplication::processEvents();
    }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    void Start(bool wait_for_login_names = true) {
        program->CreateMainWindow();
        program->ShowMainWindow();
        w().activateWindow();
        if (!QTest::qWaitForWindowExposed(&w())) {
            ADD_FAILURE() << "main window not exposed";
        }
        if (wait_for_login_names) {
            WaitForLoginNames();
        }
    }
    // The worker runs on a real thread: wait for its hand-over, not for time.
    void WaitForLoginNames() {
        if (!QTest::qWaitFor([this] { return program->operators->LoginNameListFilled(); }, 20000)) {
            ADD_FAILURE() << "the login-name list was never filled";
        }
    }

    MainWindow& w() { return program->window(); }
    QWidget* Focused() { return w().focusWidget(); }
    std::vector<std::string> LoginNames() {
        std::vector<std::string> names;
        for (int i = 0; i < w().组合框_登录用户名->ItemCount(); ++i) {
            names.push_back(w().组合框_登录用户名->ItemText(i));
        }
        return names;
    }

    // The operator's way in: the name in the drop-down, the password typed,
    // the button pressed.
    void LogIn(const std::string& name, const std::string& password) {
        w().组合框_登录用户名->SetText(name);
        w().编辑框_密码->SetText("");
        if (!password.empty()) {
            Type(w().编辑框_密码, password);
        }
        Click(w().按钮_登录系统);
    }
    // A successful login, then the settings page.
    void LogInToSettings(const std::string& name, const std::string& password) {
        LogIn(name, password);
        ASSERT_EQ(program->LoggedIn, 1) << "login as " << name << " failed";
        dialogs.ClearAsked();
        Click(w().按钮_系统设置);
        ASSERT_TRUE(w().外形框_系统设置->Visible());
    }

    PausingClock clock;
    ScriptedDialogs dialogs;
    FixedPointer pointer{QPoint(600, 300)};
    std::unique_ptr<Program> program;
    std::optional<int> exit_code;
};

inline std::string Esc(std::string_view text) {
    return EscapeSqlText(text);
}

// Adds one bosslist row; its boss_id.
inline std::string AddBoss(std::string_view tel, std::string_view name, std::string_view key) {
    Exec("INSERT INTO `bosslist`(`boss_tel`, `boss_name`, `boss_key`) VALUES ('" + Esc(tel) +
         "', '" + Esc(name) + "', '" + Esc(key) + "')");
    return Scalar("SELECT MAX(`boss_id`) FROM `bosslist`");
}

// The rows as (boss_id, boss_tel, boss_name, boss_key), in id order.
inline std::vector<std::vector<std::string>> BossRows() {
    return Rows(
        "SELECT `boss_id`, `boss_tel`, `boss_name`, `boss_key` FROM `bosslist` "
        "ORDER BY `boss_id`");
}

inline std::string LastLoginName() {
    return data::ReadConfig(data::kSectionConfig, data::kKeyLastLoginName);
}

// Empty tables and no wyf.ini before and after each test.
class OperatorsTest : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        RemoveConfigFile();
    }
    // Later window tests start with an empty drop-down.
    void TearDown() override {
        RemoveConfigFile();
        ResetTables();
    }
};

// One run of the program, logged in and on the settings page.
class SettingsRunTest : public OperatorsTest {
  protected:
    void StartInSettings(const std::string& name, const std::string& password) {
        run_ = std::make_unique<ProgramRun>();
        run_->Start();
        run_->LogInToSettings(name, password);
    }
    // Opens a sub-panel with the password re-entered; the test starts with
    // nothing asked.
    void OpenPanel(PushButton* button, Frame* panel, const std::string& password) {
        run_->dialogs.NextInput(password);
        Click(button);
        ASSERT_TRUE(panel->Visible());
        run_->dialogs.ClearAsked();
    }
    void TearDown() override {
        run_.reset();
        OperatorsTest::TearDown();
    }
    ProgramRun& run() { return *run_; }
    MainWindow& w() { return run_->w(); }

  private:
    std::unique_ptr<ProgramRun> run_;
};

}  // namespace kob::test
