// The settings page after the login: the side button, the sub-panels and
// their opening rule, the password re-entry, and the list-order option.
#include "operators_support.h"

namespace kob::test {
namespace {

// A run logged in as Rudal / 888888, on the settings page.
class SettingsTest : public SettingsRunTest {
  protected:
    void SetUp() override {
        SettingsRunTest::SetUp();
        AddBoss("Rudal", "老板", "888888");
        StartInSettings("Rudal", "888888");
    }
    std::vector<Frame*> SubPanels() {
        return {w().外形框_修改消费项目, w().外形框_修改密码, w().外形框_系统设置_新增管理员};
    }
    std::vector<Frame*> VisibleSubPanels() {
        std::vector<Frame*> visible;
        for (Frame* panel : SubPanels()) {
            if (panel->Visible()) {
                visible.push_back(panel);
            }
        }
        return visible;
    }

    struct Opener {
        const char* what;
        PushButton* MainWindow::*button;
        Frame* MainWindow::*panel;
        const char* prompt;
        const char* title;
        EditBox* MainWindow::*first_box;
        QPoint at;
    };
    static std::vector<Opener> Openers() {
        return {
            {"password change", &MainWindow::按钮_系统设置_修改密码, &MainWindow::外形框_修改密码,
             "修改密码需要二次确认原密码，请输入", "原密码二次确认", &MainWindow::编辑框_输入新密码,
             QPoint(124, 41)},
            {"new operator", &MainWindow::按钮_系统设置_新增管理员,
             &MainWindow::外形框_系统设置_新增管理员, "新增管理员需要二次确认密码，请输入",
             "密码二次确认", &MainWindow::编辑框_新增管理员_姓名, QPoint(208, 41)},
        };
    }
    void Open(const Opener& opener, std::optional<std::string> answer) {
        run().dialogs.NextInput(std::move(answer));
        Click(w().*opener.button);
    }
};

TEST_F(OperatorsTest, SettingsSideButtonWorksOnlyAfterTheLogin) {
    AddBoss("Rudal", "老板", "888888");
    ProgramRun run;
    run.Start();
    MainWindow& w = run.w();
    Click(w.按钮_系统设置);
    EXPECT_EQ(w.选择夹1->CurrentPage(), 3);
    EXPECT_FALSE(w.外形框_系统设置->Visible());

    run.LogIn("Rudal", "888888");
    ASSERT_EQ(w.选择夹1->CurrentPage(), 0);
    Click(w.按钮_系统设置);
    EXPECT_EQ(w.选择夹1->CurrentPage(), 3);
    EXPECT_TRUE(w.外形框_系统设置->isVisible());
    EXPECT_FALSE(w.外形框_修改消费项目->Visible());
    EXPECT_FALSE(w.外形框_修改密码->Visible());
    EXPECT_FALSE(w.外形框_系统设置_新增管理员->Visible());

    // Every visit starts with the sub-panels hidden.
    run.dialogs.NextInput("888888");
    Click(w.按钮_系统设置_新增管理员);
    ASSERT_TRUE(w.外形框_系统设置_新增管理员->Visible());
    w.选择夹1->SetCurrentPage(0);
    Click(w.按钮_系统设置);
    EXPECT_EQ(w.选择夹1->CurrentPage(), 3);
    EXPECT_FALSE(w.外形框_系统设置_新增管理员->Visible());
}

TEST_F(SettingsTest, SubPanelsOpenFivePixelsBelowTheirButtonsAfterTheReentry) {
    for (const Opener& o : Openers()) {
        SCOPED_TRACE(o.what);
        run().dialogs.ClearAsked();
        // Texts typed at an earlier opening stay.
        (w().*o.first_box)->SetText("earlier");
        Open(o, "888888");
        ASSERT_EQ(run().dialogs.Asked().size(), 1u);
        const AskedDialog& asked = *run().dialogs.Last();
        EXPECT_EQ(asked.kind, AskedDialog::Kind::Input);
        EXPECT_EQ(asked.text, o.prompt);
        EXPECT_EQ(asked.title, o.title);
        EXPECT_EQ(asked.initial, "");
        EXPECT_TRUE(asked.masked);

        Frame* panel = w().*o.panel;
        PushButton* button = w().*o.button;
        EXPECT_EQ(panel->pos(), o.at);
        EXPECT_EQ(panel->pos(), QPoint(button->Left(), button->Top() + button->Height() + 5));
        EXPECT_EQ(VisibleSubPanels(), std::vector<Frame*>{panel});
        EXPECT_EQ(run().Focused(), w().*o.first_box);
        EXPECT_EQ((w().*o.first_box)->Text(), "earlier");
    }
    // The service-item panel's opener follows the same rule.
    run().program->operators->HideSettingsSubPanels();
    run().program->operators->ShowSettingsSubPanel(*w().按钮_系统设置_修改消费项目,
                                                   *w().外形框_修改消费项目);
    EXPECT_EQ(w().外形框_修改消费项目->pos(), QPoint(8, 41));
    EXPECT_EQ(VisibleSubPanels(), std::vector<Frame*>{w().外形框_修改消费项目});
}

TEST_F(SettingsTest, FailedOrCancelledReentryLeavesEverySubPanelHidden) {
    struct Answer {
        const char* what;
        std::optional<std::string> typed;
        bool mismatch_box;
    };
    const std::vector<Answer> answers = {
        {"cancelled", std::nullopt, false}, {"empty", "", true},
        {"wrong", "888889", true},          {"with a trailing blank", "888888 ", true},
        {"a prefix", "88888", true},
    };
    for (const Opener& o : Openers()) {
        for (const Opener& before : Openers()) {
            for (const Answer& a : answers) {
                SCOPED_TRACE(std::string(o.what) + " after " + before.what + ", " + a.what);
                Open(before, "888888");
                ASSERT_TRUE((w().*before.panel)->Visible());
                run().dialogs.ClearAsked();
                Open(o, a.typed);
                EXPECT_TRUE(VisibleSubPanels().empty());
                const auto& asked = run().dialogs.Asked();
                ASSERT_EQ(asked.size(), a.mismatch_box ? 2u : 1u);
                if (a.mismatch_box) {
                    EXPECT_EQ(asked[1].kind, AskedDialog::Kind::Message);
                    EXPECT_EQ(asked[1].text, "密码验证错误，不能修改");
                    EXPECT_EQ(asked[1].title, "温馨提示");
                    EXPECT_EQ(asked[1].buttons, MessageButtons::Ok);
                    EXPECT_EQ(asked[1].icon, MessageIcon::None);
                }
            }
        }
    }
}

TEST_F(SettingsTest, ListOrderTickIsStoredAsTrueOrFalseAndRestoredAtTheNextStart) {
    CheckBox* tick = w().选择框_新纪录在最前;
    ASSERT_FALSE(tick->Ticked());
    EXPECT_EQ(data::ReadConfig("列表显示配置", "新纪录在最前"), "");
    for (const char* expected : {"真", "假", "真"}) {
        Click(tick);
        EXPECT_EQ(tick->Ticked(), std::string(expected) == "真");
        EXPECT_EQ(data::ReadConfig("列表显示配置", "新纪录在最前"), expected);
    }
    {
        ProgramRun next;
        next.Start();
        EXPECT_TRUE(next.w().选择框_新纪录在最前->Ticked());
        // Restoring the tick stores nothing.
        EXPECT_EQ(data::ReadConfig("列表显示配置", "新纪录在最前"), "真");
    }
    Click(tick);
    EXPECT_EQ(data::ReadConfig("列表显示配置", "新纪录在最前"), "假");
    ProgramRun last;
    last.Start();
    EXPECT_FALSE(last.w().选择框_新纪录在最前->Ticked());
}

}  // namespace
}  // namespace kob::test
