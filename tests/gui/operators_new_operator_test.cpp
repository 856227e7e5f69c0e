// Adding operators: the checks and their focus, the INSERT with any text,
// a login name already held, the balloons, and the new login name at the
// next start.
#include "operators_support.h"

namespace kob::test {
namespace {

// The four boxes of the panel: name, login name, password, confirmation.
struct Boxes {
    std::string name, login_name, password, confirmation;
    bool operator==(const Boxes&) const = default;
};

// What several cases type, by name.
struct TypedCase {
    const char* what;
    Boxes typed;
};

class NewOperatorTest : public SettingsRunTest {
  protected:
    void SetUp() override {
        SettingsRunTest::SetUp();
        rudal_ = AddBoss("Rudal", "老板", "888888");
        StartInSettings("Rudal", "888888");
        OpenPanel(w().按钮_系统设置_新增管理员, w().外形框_系统设置_新增管理员, "888888");
    }

    void Fill(const Boxes& b) {
        for (auto [box, text] : {std::pair{w().编辑框_新增管理员_姓名, &b.name},
                                 std::pair{w().编辑框_新增管理员_手机号, &b.login_name},
                                 std::pair{w().编辑框_新增管理员_密码, &b.password},
                                 std::pair{w().编辑框_新增管理员_密码确认, &b.confirmation}}) {
            box->SetText("");
            Type(box, *text);
        }
    }
    Boxes Read() {
        return {w().编辑框_新增管理员_姓名->Text(), w().编辑框_新增管理员_手机号->Text(),
                w().编辑框_新增管理员_密码->Text(), w().编辑框_新增管理员_密码确认->Text()};
    }
    void ExpectBalloon(const std::string& text) {
        EXPECT_TRUE(w().气球提示框1->Shown());
        EXPECT_EQ(w().气球提示框1->Text(), text);
        EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(600, 290));
        EXPECT_TRUE(run().dialogs.Asked().empty());
    }

    std::string rudal_;
};

TEST_F(NewOperatorTest, RefusedBoxesPutTheFocusWhereTheOperatorMustType) {
    const auto rows = BossRows();
    const char* const kEmpty = "姓名、手机号、密码都不能为空，请重试";
    const char* const kDiffer = "两次输入密码不一样，请重试";
    struct Case {
        const char* what;
        Boxes typed;
        const char* balloon;
        EditBox* MainWindow::*focus;
    };
    const auto name = &MainWindow::编辑框_新增管理员_姓名;
    const auto login_name = &MainWindow::编辑框_新增管理员_手机号;
    const auto password = &MainWindow::编辑框_新增管理员_密码;
    const auto confirmation = &MainWindow::编辑框_新增管理员_密码确认;
    const std::vector<Case> cases = {
        {"all empty", {"", "", "", ""}, kEmpty, password},
        {"name and password empty", {"", "13800", "", "x"}, kEmpty, password},
        {"only the name empty", {"", "13800", "pw", "pw"}, kEmpty, name},
        {"name and login name empty", {"", "", "pw", "pw"}, kEmpty, login_name},
        {"only the login name empty", {"张三", "", "pw", "pw"}, kEmpty, login_name},
        {"only the password empty", {"张三", "13800", "", ""}, kEmpty, password},
        {"only the confirmation empty", {"张三", "13800", "pw", ""}, kDiffer, confirmation},
        {"confirmation differs in case", {"张三", "13800", "pw", "PW"}, kDiffer, confirmation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fill(c.typed);
        Click(w().按钮_系统设置_新增管理员_确认);
        ExpectBalloon(c.balloon);
        EXPECT_EQ(run().Focused(), w().*c.focus);
        EXPECT_EQ(Read(), c.typed);
        EXPECT_EQ(BossRows(), rows);
    }
}

TEST_F(NewOperatorTest, AnyTextIsInsertedAsANewLoginName) {
    const std::vector<TypedCase> cases = {
        {"digits", {"另一个老板", "13800138000", "888888", "888888"}},
        {"letters and blanks", {"Li Si", "li si 2", "p w", "p w"}},
        {"Chinese, quotes and backslashes", {"王'五\\", "王\"五'", "密\\'码", "密\\'码"}},
    };
    std::vector<std::vector<std::string>> expected = BossRows();
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fill(c.typed);
        // The button takes the focus with the click; it stays there.
        Click(w().按钮_系统设置_新增管理员_确认);
        ExpectBalloon("操作成功，你可以使用新账户登录系统");
        EXPECT_EQ(Read(), (Boxes{"", "", "", ""}));
        EXPECT_TRUE(w().外形框_系统设置_新增管理员->Visible());
        EXPECT_EQ(run().Focused(), w().按钮_系统设置_新增管理员_确认);
        const auto rows = BossRows();
        ASSERT_EQ(rows.size(), expected.size() + 1);
        expected.push_back({rows.back()[0], c.typed.login_name, c.typed.name, c.typed.password});
        EXPECT_EQ(rows, expected);
    }
}

// The login finds an account by its login name as the server compares it
// (case and trailing blanks aside): an account under a name already held
// could never log in, so it is refused and nothing is stored.
TEST_F(NewOperatorTest, ALoginNameAlreadyHeldIsRefused) {
    AddBoss("13800", "店员", "111");
    const std::vector<TypedCase> cases = {
        {"the same name", {"另一个老板", "Rudal", "888888", "888888"}},
        {"another case", {"另一个老板", "rudal", "1", "1"}},
        {"a trailing blank", {"另一个老板", "13800 ", "1", "1"}},
    };
    const auto rows = BossRows();
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.what);
        Fill(c.typed);
        Click(w().按钮_系统设置_新增管理员_确认);
        ExpectBalloon("该登录名已经存在，请更换登录名");
        EXPECT_EQ(Read(), c.typed) << "the texts stay for a new login name";
        EXPECT_EQ(run().Focused(), w().编辑框_新增管理员_手机号);
        EXPECT_EQ(BossRows(), rows);
    }
    // A free name still goes in.
    Fill({"另一个老板", "13900", "888888", "888888"});
    Click(w().按钮_系统设置_新增管理员_确认);
    ExpectBalloon("操作成功，你可以使用新账户登录系统");
    EXPECT_EQ(BossRows().size(), rows.size() + 1);
}

// Another desk takes the login name after it was found free and before the
// insert: the insert writes nothing, and the operator is told the name is held.
TEST_F(NewOperatorTest, ALoginNameTakenMeanwhileIsRefused) {
    Fill({"店员乙", "13900", "222", "222"});
    data::SetBeforeWriteHook([] {
        data::SetBeforeWriteHook(nullptr);
        AddBoss("13900", "店员甲", "111");
    });
    Click(w().按钮_系统设置_新增管理员_确认);
    data::SetBeforeWriteHook(nullptr);
    ExpectBalloon("该登录名已经存在，请更换登录名");
    const auto rows = BossRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{rows[1][0], "13900", "店员甲", "111"}));
}

TEST_F(NewOperatorTest, FailedInsertKeepsTheTexts) {
    const auto rows = BossRows();
    const std::vector<TypedCase> cases = {
        {"not in gbk", {"张三😀", "13800", "pw", "pw"}},
        {"login name longer than the column", {"张三", std::string(65, '1'), "pw", "pw"}},
    };
    for (const TypedCase& c : cases) {
        SCOPED_TRACE(c.what);
        w().编辑框_新增管理员_姓名->SetText(c.typed.name);
        w().编辑框_新增管理员_手机号->SetText(c.typed.login_name);
        w().编辑框_新增管理员_密码->SetText(c.typed.password);
        w().编辑框_新增管理员_密码确认->SetText(c.typed.confirmation);
        Click(w().按钮_系统设置_新增管理员_确认);
        ExpectBalloon("新增管理员失败，请联系管理员，错误代码[0452155855]");
        EXPECT_EQ(Read(), c.typed);
        EXPECT_EQ(BossRows(), rows);
    }
}

TEST_F(NewOperatorTest, TheNewLoginNameIsListedFromTheNextStart) {
    Fill({"店员'甲", "1380013\\8000", "密码'1\\", "密码'1\\"});
    Click(w().按钮_系统设置_新增管理员_确认);
    ExpectBalloon("操作成功，你可以使用新账户登录系统");
    EXPECT_EQ(run().LoginNames(), std::vector<std::string>{"Rudal"});

    ProgramRun next;
    next.Start();
    EXPECT_EQ(next.LoginNames(), (std::vector<std::string>{"Rudal", "1380013\\8000"}));
    // The last login name is still the current item.
    EXPECT_EQ(next.w().组合框_登录用户名->CurrentItem(), 0);
    next.w().组合框_登录用户名->SetCurrentItem(1);
    Type(next.w().编辑框_密码, "密码'1\\");
    Click(next.w().按钮_登录系统);
    EXPECT_TRUE(next.dialogs.Asked().empty());
    EXPECT_EQ(next.program->LoggedIn, 1);
    EXPECT_EQ(next.program->CurrentOperator.boss_name, "店员'甲");
    EXPECT_EQ(next.program->CurrentOperator.boss_tel, "1380013\\8000");
    EXPECT_NE(next.program->CurrentOperator.boss_id, rudal_);
}

}  // namespace
}  // namespace kob::test
