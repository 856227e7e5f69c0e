// The password change: the two checks, the UPDATE of every row of the name
// typed at the login, the failure box, and the end of the process.
#include "operators_support.h"

namespace kob::test {
namespace {

class PasswordChangeTest : public SettingsRunTest {
  protected:
    // Logs in and opens the password panel.
    void OpenPanel(const std::string& name, const std::string& password) {
        StartInSettings(name, password);
        SettingsRunTest::OpenPanel(w().按钮_系统设置_修改密码, w().外形框_修改密码, password);
    }
    void Enter(const std::string& new_password, const std::string& confirmation) {
        w().编辑框_输入新密码->SetText("");
        w().编辑框_新密码确认->SetText("");
        Type(w().编辑框_输入新密码, new_password);
        Type(w().编辑框_新密码确认, confirmation);
    }
    void ExpectOnlyBox(const std::string& text, const std::string& title, MessageIcon icon) {
        ASSERT_EQ(run().dialogs.Asked().size(), 1u);
        const AskedDialog& asked = *run().dialogs.Last();
        EXPECT_EQ(asked.kind, AskedDialog::Kind::Message);
        EXPECT_EQ(asked.text, text);
        EXPECT_EQ(asked.title, title);
        EXPECT_EQ(asked.buttons, MessageButtons::Ok);
        EXPECT_EQ(asked.icon, icon);
    }
    // The only box says it worked, then the process ends.
    void ExpectChangedAndEnded() {
        ExpectOnlyBox("修改成功，需要重新登录", "温馨提示", MessageIcon::None);
        EXPECT_EQ(run().exit_code, 0);
    }
};

TEST_F(PasswordChangeTest, RefusedBeforeTheStatementWithTheFocusOnTheNewPassword) {
    AddBoss("Rudal", "老板", "abcDEF");
    OpenPanel("Rudal", "abcDEF");
    const auto rows = BossRows();
    const char* const kDiffer = "两次输入密码不一样，请重试";
    struct Case {
        const char* what;
        std::string new_password, confirmation;
        const char* box;
    };
    const std::vector<Case> cases = {
        {"both empty", "", "", kDiffer},
        {"confirmation empty", "xyz", "", kDiffer},
        {"new password empty", "", "xyz", kDiffer},
        {"different", "xyz", "xyZ", kDiffer},
        {"confirmation with a blank", "xyz", "xyz ", kDiffer},
        {"the login password", "abcDEF", "abcDEF", "你输入的新密码和原密码一致，无需修改"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        run().dialogs.ClearAsked();
        Enter(c.new_password, c.confirmation);
        Click(w().按钮_修改密码确认);
        ExpectOnlyBox(c.box, "温馨提示", MessageIcon::None);
        EXPECT_EQ(run().Focused(), w().编辑框_输入新密码);
        EXPECT_TRUE(w().外形框_修改密码->Visible());
        EXPECT_FALSE(run().exit_code.has_value());
        EXPECT_EQ(BossRows(), rows);
    }
}

TEST_F(PasswordChangeTest, EveryRowOfTheNameGetsItThenTheProcessEnds) {
    const std::string rudal = AddBoss("Rudal", "老板", "abcDEF");
    const std::string lower = AddBoss("rudal", "小写", "other");
    const std::string blank = AddBoss("Rudal ", "带空格", "third");
    const std::string clerk = AddBoss("13800138000", "店员", "123456");
    OpenPanel("Rudal", "abcDEF");
    // Only the letter case differs from the login password: accepted.
    Enter("ABCdef", "ABCdef");
    Click(w().按钮_修改密码确认);
    ExpectChangedAndEnded();
    EXPECT_EQ(BossRows(), (std::vector<std::vector<std::string>>{
                              {rudal, "Rudal", "老板", "ABCdef"},
                              {lower, "rudal", "小写", "ABCdef"},
                              {blank, "Rudal ", "带空格", "ABCdef"},
                              {clerk, "13800138000", "店员", "123456"},
                          }));
}

TEST_F(PasswordChangeTest, EnterMovesToTheConfirmationAndThereConfirms) {
    const std::string id = AddBoss("Rudal", "老板", "888888");
    OpenPanel("Rudal", "888888");
    Type(w().编辑框_输入新密码, "666666");
    PressKey(w().编辑框_输入新密码, Qt::Key_Return);
    EXPECT_EQ(run().Focused(), w().编辑框_新密码确认);
    EXPECT_TRUE(run().dialogs.Asked().empty());
    Type(w().编辑框_新密码确认, "666666");
    PressKey(w().编辑框_新密码确认, Qt::Key_Return);
    ExpectChangedAndEnded();
    EXPECT_EQ(Scalar("SELECT `boss_key` FROM `bosslist` WHERE `boss_id` = " + id), "666666");
}

TEST_F(PasswordChangeTest, NoRowWithTheNameLeftStillSucceeds) {
    AddBoss("Rudal", "老板", "888888");
    OpenPanel("Rudal", "888888");
    Exec("DELETE FROM `bosslist`");
    Enter("666666", "666666");
    Click(w().按钮_修改密码确认);
    ExpectChangedAndEnded();
    EXPECT_TRUE(BossRows().empty());
}

TEST_F(PasswordChangeTest, ChineseQuotesAndBackslashesOnBothSides) {
    const std::string id = AddBoss("张'三\\", "张三", "密'码\\");
    const std::string near = AddBoss("张'三", "张三二", "keep");
    OpenPanel("张'三\\", "密'码\\");
    Enter("新\"密'\\码", "新\"密'\\码");
    Click(w().按钮_修改密码确认);
    ExpectChangedAndEnded();
    EXPECT_EQ(BossRows(), (std::vector<std::vector<std::string>>{
                              {id, "张'三\\", "张三", "新\"密'\\码"},
                              {near, "张'三", "张三二", "keep"},
                          }));
}

// Statements that fail honestly: a character the gbk connection cannot
// carry, and a value longer than the column, which the strict server refuses.
TEST_F(PasswordChangeTest, FailedStatementShowsTheErrorCodeAndChangesNothing) {
    AddBoss("Rudal", "老板", "888888");
    OpenPanel("Rudal", "888888");
    const auto rows = BossRows();
    struct Case {
        const char* what;
        std::string new_password;
    };
    const std::vector<Case> cases = {
        {"not in gbk", "密码😀"},
        {"longer than the column", std::string(65, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        run().dialogs.ClearAsked();
        w().编辑框_输入新密码->SetText(c.new_password);
        w().编辑框_新密码确认->SetText(c.new_password);
        Click(w().按钮_修改密码确认);
        ExpectOnlyBox("修改失败，请联系管理员", "错误代码[0452155855]", MessageIcon::Error);
        EXPECT_FALSE(run().exit_code.has_value());
        EXPECT_EQ(BossRows(), rows);
        EXPECT_TRUE(w().外形框_修改密码->Visible());
        EXPECT_EQ(w().编辑框_输入新密码->Text(), c.new_password);
        EXPECT_EQ(w().编辑框_新密码确认->Text(), c.new_password);
        EXPECT_EQ(run().Focused(), w().按钮_修改密码确认);
    }
    // The same panel then succeeds.
    run().dialogs.ClearAsked();
    Enter("666666", "666666");
    Click(w().按钮_修改密码确认);
    EXPECT_EQ(run().exit_code, 0);
}

}  // namespace
}  // namespace kob::test
