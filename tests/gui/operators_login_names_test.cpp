// The login-name drop-down filled at start by the worker thread: every
// boss_tel in the server's order, the last login name preselected; and the
// worker sharing the connection with a login pressed at once.
#include "operators_support.h"

namespace kob::test {
namespace {

using LoginNamesTest = OperatorsTest;

TEST_F(LoginNamesTest, EveryLoginNameInTheServersOrderWithTheLastLoginCurrent) {
    struct Case {
        const char* what;
        std::vector<std::string> tels;
        std::optional<std::string> stored;  // nullopt: no wyf.ini
        int current;
    };
    const std::vector<Case> cases = {
        {"remembered name in the middle", {"Rudal", "13800138000", "李四"}, "13800138000", 1},
        {"remembered name twice: the later row", {"a", "Rudal", "b", "Rudal", "c"}, "Rudal", 3},
        {"remembered name in no row", {"Rudal", "b"}, "nobody", 0},
        {"letter case differs", {"x", "Rudal"}, "rudal", 0},
        {"trailing blank stored", {"x", "Rudal"}, "Rudal ", 1},  // wyf.ini trims it
        {"no file: the empty name matches", {"a", "", "c"}, std::nullopt, 1},
        {"no file, no empty name", {"a", "b"}, std::nullopt, 0},
        {"empty and repeated names listed", {"", "b", "b", "张'三\\"}, "张'三\\", 3},
        {"one row", {"Rudal"}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ResetTables());
        RemoveConfigFile();
        for (const std::string& tel : c.tels) {
            AddBoss(tel, "名字", "pw");
        }
        if (c.stored) {
            WriteConfigKey("配置", "最近登录的用户名", *c.stored);
        }
        std::vector<std::string> server_order;
        for (const auto& row : Rows("SELECT * FROM `kobrelan`.`bosslist`")) {
            server_order.push_back(row[1]);
        }
        ASSERT_EQ(server_order.size(), c.tels.size());

        ProgramRun run;
        run.Start();
        EXPECT_EQ(run.LoginNames(), server_order);
        EXPECT_EQ(run.w().组合框_登录用户名->CurrentItem(), c.current);
        EXPECT_EQ(run.w().组合框_登录用户名->Text(), server_order[static_cast<size_t>(c.current)]);
        EXPECT_TRUE(run.dialogs.Asked().empty());
    }
}

TEST_F(LoginNamesTest, EmptyTableGivesAnEmptyDropDownAndNoMessage) {
    WriteConfigKey("配置", "最近登录的用户名", "Rudal");
    ProgramRun run;
    run.Start();
    EXPECT_EQ(run.w().组合框_登录用户名->ItemCount(), 0);
    EXPECT_EQ(run.w().组合框_登录用户名->CurrentItem(), -1);
    EXPECT_EQ(run.w().组合框_登录用户名->Text(), "");
    EXPECT_TRUE(run.dialogs.Asked().empty());
}

// The worker starts with the window; the login below runs before the
// window thread has handled a single event, so the worker is usually
// still at the shared connection. The login waits for it instead of
// interleaving, and the worker's items still reach the drop-down.
TEST_F(LoginNamesTest, ThreadLoginPressedAtOnceWaitsForTheWorker) {
    const std::string id = AddBoss("Rudal", "老板", "888888");
    for (int i = 0; i < 30; ++i) {
        AddBoss("1380013" + std::to_string(8000 + i), "店员", "123456");
    }
    for (int attempt = 0; attempt < 5; ++attempt) {
        SCOPED_TRACE(attempt);
        RemoveConfigFile();
        ProgramRun run;
        run.program->CreateMainWindow();
        MainWindow& w = run.w();
        w.组合框_登录用户名->SetText("Rudal");
        w.编辑框_密码->SetText("888888");
        w.按钮_登录系统->click();
        EXPECT_TRUE(run.dialogs.Asked().empty());
        EXPECT_EQ(run.program->LoggedIn, 1);
        EXPECT_EQ(run.program->CurrentOperator.boss_id, id);
        run.WaitForLoginNames();
        EXPECT_EQ(run.LoginNames().size(), 31u);
        EXPECT_EQ(run.LoginNames().front(), "Rudal");
    }
}

// The server stopped for the duration of one start: the worker's query
// fails, the drop-down stays empty and nothing is shown; a login then
// fails with the ordinary box.
// Start-up stays silent; the login then says the server is away, not that
// the password is wrong.
TEST_F(LoginNamesTest, ServerDownGivesAnEmptyDropDownAndTheLoginSaysSo) {
    AddBoss("Rudal", "老板", "888888");
    WriteConfigKey("配置", "最近登录的用户名", "Rudal");
    ASSERT_EQ(RunDbScript("stop"), 0);
    struct Restart {
        ~Restart() {
            if (!started) {
                EXPECT_EQ(RunDbScript("start"), 0);
            }
        }
        bool started = false;
    } restart;
    ProgramRun run;
    run.Start();
    EXPECT_EQ(run.w().组合框_登录用户名->ItemCount(), 0);
    EXPECT_EQ(run.w().组合框_登录用户名->Text(), "");
    EXPECT_TRUE(run.dialogs.Asked().empty());

    run.LogIn("Rudal", "888888");
    ASSERT_EQ(run.dialogs.Asked().size(), 1u);
    EXPECT_EQ(run.dialogs.Last()->text, "登录失败，无法连接服务器，请检查网络后重试");
    EXPECT_EQ(run.program->LoggedIn, 0);
    EXPECT_EQ(LastLoginName(), "Rudal");

    // The server back, the next login that reaches it reads the list again.
    ASSERT_EQ(RunDbScript("start"), 0);
    restart.started = true;
    run.clock.Advance(61000);
    run.LogIn("Rudal", "wrong");
    EXPECT_EQ(run.dialogs.Last()->text, "登录失败，请检查网络用户名密码");
    run.WaitForLoginNames();
    EXPECT_EQ(run.LoginNames(), std::vector<std::string>{"Rudal"});
}

}  // namespace
}  // namespace kob::test
