// The login: the lookup on the server, the byte-exact password test, what a
// failed attempt leaves, the 2000 ms wait and the hand-over to the members page.
#include <QLineEdit>
#include <QWindow>

#include "operators_support.h"

namespace kob::test {
namespace {

using LoginTest = OperatorsTest;

const char* const kFailure = "登录失败，请检查网络用户名密码";
const char* const kNoInput = "登录失败，你没有输入用户名和密码";

void ExpectBox(const AskedDialog* asked, const std::string& text) {
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->kind, AskedDialog::Kind::Message);
    EXPECT_EQ(asked->text, text);
    EXPECT_EQ(asked->title, "温馨提示");
    EXPECT_EQ(asked->buttons, MessageButtons::Ok);
    EXPECT_EQ(asked->icon, MessageIcon::Error);
}

TEST_F(LoginTest, SuccessWaitsWithTheSpinnerThenOpensTheMembersPage) {
    const std::string id = AddBoss("Rudal", "老板", "888888");
    ProgramRun run;
    run.Start();
    ASSERT_EQ(run.w().组合框_登录用户名->Text(), "Rudal");

    struct DuringPause {
        uint32_t ms = 0;
        bool spinner_visible = false;
        bool controls_disabled = false;
        std::string caption;
        int32_t logged_in = 0;
        std::string stored_name;
    };
    std::optional<DuringPause> seen;
    run.clock.on_pause = [&](uint32_t ms) {
        MainWindow& w = run.w();
        seen = DuringPause{ms,
                           w.载入条->Visible(),
                           w.编辑框_用户名->Disabled() && w.编辑框_密码->Disabled() &&
                               w.按钮_登录系统->Disabled() && w.组合框_登录用户名->Disabled(),
                           w.按钮_登录系统->Caption(),
                           run.program->LoggedIn,
                           LastLoginName()};
    };
    const uint32_t tick_before = run.clock.TickCount();
    Type(run.w().编辑框_密码, "888888");
    Click(run.w().按钮_登录系统);

    ASSERT_TRUE(seen.has_value()) << "the login did not pause";
    EXPECT_EQ(seen->ms, 2000u);
    EXPECT_TRUE(seen->spinner_visible);
    EXPECT_TRUE(seen->controls_disabled);
    EXPECT_EQ(seen->caption, "登录系统");
    EXPECT_EQ(seen->logged_in, 1);
    EXPECT_EQ(seen->stored_name, "Rudal");
    EXPECT_EQ(run.clock.TickCount() - tick_before, 2000u);

    MainWindow& w = run.w();
    EXPECT_TRUE(run.dialogs.Asked().empty());
    EXPECT_EQ(w.按钮_登录系统->Caption(), "登录成功");
    EXPECT_FALSE(w.载入条->Visible());
    EXPECT_EQ(w.选择夹1->CurrentPage(), 0);
    EXPECT_EQ(run.program->LoggedIn, 1);
    EXPECT_EQ(run.program->CurrentOperator.boss_id, id);
    EXPECT_EQ(run.program->CurrentOperator.boss_name, "老板");
    EXPECT_EQ(run.program->CurrentOperator.boss_tel, "Rudal");
    // The texts stay: the password change and the re-entry use them.
    EXPECT_EQ(w.编辑框_用户名->Text(), "Rudal");
    EXPECT_EQ(w.编辑框_密码->Text(), "888888");
    for (QWidget* control : std::vector<QWidget*>{w.编辑框_用户名, w.编辑框_密码, w.按钮_登录系统,
                                                  w.组合框_登录用户名}) {
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    }
}

// Each case is a fresh run: a run has one successful login at most.
TEST_F(LoginTest, TheServerFindsTheRowTheProgramKeepsItsTextAndTheNameAsTyped) {
    AddBoss("Rudal", "老板", "888888");
    const std::string first_dup = AddBoss("dup", "先来的", "first");
    AddBoss("dup", "后到的", "second");
    AddBoss("张'三\\", "张\"三", "密'码\\\"");
    struct Case {
        const char* what;
        std::string typed_name, password;
        std::string boss_tel, boss_name;  // CurrentOperator afterwards
        std::string stored_name;          // 最近登录的用户名
    };
    const std::vector<Case> cases = {
        {"exact", "Rudal", "888888", "Rudal", "老板", "Rudal"},
        {"letter case of the name", "rudal", "888888", "Rudal", "老板", "rudal"},
        {"trailing blank of the name", "Rudal ", "888888", "Rudal", "老板", "Rudal"},
        {"first of two rows", "dup", "first", "dup", "先来的", "dup"},
        {"Chinese, quotes and backslashes", "张'三\\", "密'码\\\"", "张'三\\", "张\"三", "张'三\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveConfigFile();
        ProgramRun run;
        run.Start();
        run.LogIn(c.typed_name, c.password);
        EXPECT_TRUE(run.dialogs.Asked().empty());
        EXPECT_EQ(run.program->LoggedIn, 1);
        EXPECT_EQ(run.program->CurrentOperator.boss_tel, c.boss_tel);
        EXPECT_EQ(run.program->CurrentOperator.boss_name, c.boss_name);
        EXPECT_EQ(run.w().编辑框_用户名->Text(), c.typed_name);
        // wyf.ini trims a value's outer blanks when it is read back.
        EXPECT_EQ(LastLoginName(), c.stored_name);
    }
    // Only the first dup row is tested: the second one's password fails.
    RemoveConfigFile();
    ProgramRun run;
    run.Start();
    run.LogIn("dup", "second");
    EXPECT_EQ(run.program->LoggedIn, 0);
    EXPECT_EQ(run.program->CurrentOperator.boss_id, first_dup);
}

// Failed attempts in one run, one after another, then a good one.
TEST_F(LoginTest, FailedAttemptsShowOneBoxKeepTheRowTextsAndCanBeRepeated) {
    const std::string id = AddBoss("Rudal", "老板", "Secret 8");
    const std::string other = AddBoss("13800138000", "店员", "123456");
    ProgramRun run;
    run.Start();
    struct Case {
        const char* what;
        std::string name, password;
        bool by_enter;
        // CurrentOperator afterwards: the row found for the name (id, name,
        // login name), all empty when there is none.
        std::vector<std::string> current;
    };
    const std::vector<Case> cases = {
        {"wrong password", "Rudal", "Secret 9", false, {id, "老板", "Rudal"}},
        {"letter case of the password", "Rudal", "secret 8", false, {id, "老板", "Rudal"}},
        {"password without its blank", "rudal", "Secret8", true, {id, "老板", "Rudal"}},
        {"another row's password",
         "13800138000",
         "Secret 8",
         false,
         {other, "店员", "13800138000"}},
        {"unknown name", "nobody", "Secret 8", true, {"", "", ""}},
        {"quote trick in the name", "' OR '1'='1", "x", false, {"", "", ""}},
        {"quote trick in both", "' OR '1'='1", "' OR '1'='1", false, {"", "", ""}},
        {"quote trick with the real password", "Rudal' -- ", "Secret 8", true, {"", "", ""}},
        {"backslash before the quote", "Rudal\\", "Secret 8", false, {"", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        run.dialogs.ClearAsked();
        run.w().组合框_登录用户名->SetText(c.name);
        run.w().编辑框_密码->SetText("");
        Type(run.w().编辑框_密码, c.password);
        if (c.by_enter) {
            PressKey(run.w().编辑框_密码, Qt::Key_Return);
        } else {
            Click(run.w().按钮_登录系统);
        }
        ASSERT_EQ(run.dialogs.Asked().size(), 1u);
        ExpectBox(run.dialogs.Last(), kFailure);
        EXPECT_EQ(run.program->LoggedIn, 0);
        EXPECT_FALSE(run.w().载入条->Visible());
        EXPECT_EQ(run.Focused(), run.w().编辑框_密码);
        EXPECT_EQ(run.w().编辑框_密码->Text(), c.password);
        EXPECT_EQ(run.w().选择夹1->CurrentPage(), 3);
        EXPECT_TRUE(run.w().按钮_登录系统->isEnabled());
        EXPECT_EQ(run.program->CurrentOperator.boss_id, c.current[0]);
        EXPECT_EQ(run.program->CurrentOperator.boss_name, c.current[1]);
        EXPECT_EQ(run.program->CurrentOperator.boss_tel, c.current[2]);
    }
    EXPECT_EQ(LastLoginName(), "");

    run.dialogs.ClearAsked();
    run.LogIn("Rudal", "Secret 8");
    EXPECT_TRUE(run.dialogs.Asked().empty());
    EXPECT_EQ(run.program->LoggedIn, 1);
    EXPECT_EQ(run.program->CurrentOperator.boss_id, id);
}

TEST_F(LoginTest, EmptyNameOrPasswordAsksNothingOfTheServer) {
    const std::string id = AddBoss("Rudal", "老板", "888888");
    ProgramRun run;
    run.Start();
    // A failed lookup first, so that CurrentOperator shows whether another ran.
    run.LogIn("Rudal", "wrong");
    ASSERT_EQ(run.program->CurrentOperator.boss_id, id);
    struct Case {
        const char* what;
        std::string name, password;
    };
    const std::vector<Case> cases = {
        {"no password", "Rudal", ""},
        {"no name", "", "888888"},
        {"neither", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        run.dialogs.ClearAsked();
        run.w().按钮_登录系统->setFocus();
        run.LogIn(c.name, c.password);
        ASSERT_EQ(run.dialogs.Asked().size(), 1u);
        ExpectBox(run.dialogs.Last(), kNoInput);
        EXPECT_FALSE(run.w().载入条->Visible());
        EXPECT_EQ(run.Focused(), run.w().按钮_登录系统);
        EXPECT_EQ(run.program->LoggedIn, 0);
        EXPECT_EQ(run.program->CurrentOperator.boss_id, id);
        EXPECT_EQ(run.program->CurrentOperator.boss_name, "老板");
    }
}

TEST_F(LoginTest, EmptyDropDownWithATypedPasswordIsTheEmptyInputBox) {
    ProgramRun run;
    run.Start();
    ASSERT_EQ(run.w().组合框_登录用户名->ItemCount(), 0);
    ASSERT_EQ(run.w().组合框_登录用户名->Text(), "");
    Type(run.w().编辑框_密码, "888888");
    Click(run.w().按钮_登录系统);
    ASSERT_EQ(run.dialogs.Asked().size(), 1u);
    ExpectBox(run.dialogs.Last(), kNoInput);
    EXPECT_EQ(run.program->LoggedIn, 0);
}

TEST_F(LoginTest, EnterInThePasswordBoxLogsInLikeTheButton) {
    AddBoss("Rudal", "老板", "888888");
    ProgramRun run;
    run.Start();
    Type(run.w().编辑框_密码, "888888");
    PressKey(run.w().编辑框_密码, Qt::Key_Return);
    EXPECT_TRUE(run.dialogs.Asked().empty());
    EXPECT_EQ(run.program->LoggedIn, 1);
    EXPECT_EQ(run.w().按钮_登录系统->Caption(), "登录成功");
    EXPECT_EQ(run.w().选择夹1->CurrentPage(), 0);
    EXPECT_EQ(LastLoginName(), "Rudal");
}

// The keyboard alone, on the window as it starts: each key goes where the
// window system sends it (the focus), not to a control the test picks.
TEST_F(LoginTest, AtStartUpReturnThePasswordAndReturnLogIn) {
    AddBoss("Rudal", "老板", "888888");
    struct Case {
        const char* what;
        const char* before_return;  // typed first: into the hidden holder
    };
    for (const Case c : {Case{"Return first", ""}, Case{"keys before Return", "888888"}}) {
        SCOPED_TRACE(c.what);
        ProgramRun run;
        run.Start();
        MainWindow& w = run.w();
        QWindow* keyboard = w.windowHandle();
        ASSERT_NE(keyboard, nullptr);
        ASSERT_EQ(w.组合框_登录用户名->Text(), "Rudal");
        // Step 4: the hidden holder has the focus, no visible box does.
        EXPECT_TRUE(w.编辑框_用户名->hasFocus());
        EXPECT_EQ(QApplication::focusWidget(), &w);
        // Nothing typed shows in clear anywhere on the page.
        auto shown_in_clear = [&w] {
            for (const QLineEdit* box : w.findChildren<QLineEdit*>()) {
                if (box->isVisible() && box->displayText().contains(QStringLiteral("888"))) {
                    return box->objectName().toStdString() + "/" +
                           box->parentWidget()->objectName().toStdString();
                }
            }
            return std::string();
        };
        for (const char* key = c.before_return; *key != '\0'; ++key) {
            QTest::keyClick(keyboard, *key);
        }
        EXPECT_EQ(shown_in_clear(), "");
        QTest::keyClick(keyboard, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), w.编辑框_密码);
        for (const char key : std::string("888888")) {
            QTest::keyClick(keyboard, key);
        }
        EXPECT_EQ(w.编辑框_密码->displayText(), "******");
        EXPECT_EQ(shown_in_clear(), "");
        QTest::keyClick(keyboard, Qt::Key_Return);
        EXPECT_TRUE(run.dialogs.Asked().empty());
        EXPECT_EQ(run.program->LoggedIn, 1);
        EXPECT_EQ(run.program->CurrentOperator.boss_tel, "Rudal");
        EXPECT_EQ(w.选择夹1->CurrentPage(), 0);
    }
}

TEST_F(LoginTest, EnterInTheLoginNameHolderOnlyMovesTheFocus) {
    AddBoss("Rudal", "老板", "888888");
    ProgramRun run;
    run.Start();
    Type(run.w().编辑框_密码, "888888");
    // The holder is hidden and never holds the focus for long; start elsewhere.
    run.w().按钮_登录系统->setFocus();
    ASSERT_EQ(run.Focused(), run.w().按钮_登录系统);
    const uint32_t tick_before = run.clock.TickCount();
    PressKey(run.w().编辑框_用户名, Qt::Key_A);
    EXPECT_EQ(run.Focused(), run.w().按钮_登录系统);
    PressKey(run.w().编辑框_用户名, Qt::Key_Return);
    EXPECT_EQ(run.Focused(), run.w().编辑框_密码);
    EXPECT_TRUE(run.dialogs.Asked().empty());
    EXPECT_EQ(run.program->LoggedIn, 0);
    EXPECT_FALSE(run.w().载入条->Visible());
    EXPECT_EQ(run.clock.TickCount(), tick_before);
}

}  // namespace
}  // namespace kob::test
