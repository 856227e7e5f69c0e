// Screenshots of the window in its main states, for a person to look at:
// PNGs in build/screens/ of the source tree, whichever tree runs the tests.
#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>

#include "members/members.h"
#include "support/report_rows.h"
#include "support/window_fixture.h"
#include "ui/menus.h"

namespace kob::test {
namespace {

class ScreensTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        dir_ = QStringLiteral(KOBRELAN_GUI_TEST_SOURCE_DIR "/build/screens");
        ASSERT_TRUE(QDir().mkpath(dir_));
    }

    void Save(const char* file) {
        QApplication::processEvents();
        const QPixmap shot = w().grab();
        ASSERT_FALSE(shot.isNull());
        EXPECT_EQ(shot.size(), QSize(984, 664));
        EXPECT_TRUE(shot.save(dir_ + "/" + file)) << file;
    }

    // What a handler asked, put up again as the operator sees it (the real
    // Qt box or menu) and saved while it is up.
    void SaveAsked(const AskedDialog& asked, const char* file) {
        const QString path = dir_ + "/" + file;
        QTimer::singleShot(0, [path] {
            QWidget* shown = QApplication::activePopupWidget() != nullptr
                                 ? QApplication::activePopupWidget()
                                 : QApplication::activeModalWidget();
            ASSERT_NE(shown, nullptr) << path.toStdString();
            EXPECT_EQ(shown->font().family().toStdString(), MakeFont({}).family().toStdString());
            EXPECT_TRUE(shown->grab().save(path)) << path.toStdString();
            shown->close();
        });
        QtDialogs real(&w());
        switch (asked.kind) {
            case AskedDialog::Kind::Message:
                real.Message(asked.text, asked.title, asked.buttons, asked.icon);
                break;
            case AskedDialog::Kind::Input:
                real.Input(asked.text, asked.title, asked.initial, asked.masked);
                break;
            case AskedDialog::Kind::Menu:
                real.PopupMenu(asked.text, asked.items);
                break;
        }
    }

    void LoggedInOn(int page) {
        program().LoggedIn = 1;
        w().选择夹1->SetCurrentPage(page);
    }

    void SampleMembers() {
        ReportList* list = w().超级列表框_会员管理_会员列表;
        AddRow(*list, {"1001", "张三", "13800000001", "2", "500", "560", "3", "264", "296"});
        AddRow(*list, {"1002", "李四", "13900000002", "1", "200", "200", "", "", "200"});
        AddRow(*list, {"1003", "王五", "13700000003", "", "", "", "", "", "0"});
        list->SetSelectedRow(0);
    }

    QString dir_;
};

TEST_F(ScreensTest, StartUp) {
    Save("start.png");
}

TEST_F(ScreensTest, LoginControlsDisabledAfterTheLogin) {
    w().组合框_登录用户名->SetText("Rudal");
    w().编辑框_密码->SetText("888888");
    for (QWidget* control :
         std::vector<QWidget*>{w().组合框_登录用户名, w().编辑框_密码, w().按钮_登录系统}) {
        control->setEnabled(false);
    }
    w().按钮_登录系统->SetCaption("登录成功");
    Save("page3_logged_in.png");
}

TEST_F(ScreensTest, HoveredSideButton) {
    Hover(w().按钮_会员充值);
    Save("side_button_hover.png");
}

TEST_F(ScreensTest, MessageMenuAndInputBoxes) {
    // The empty-input box of the login.
    Click(w().按钮_登录系统);
    ASSERT_NE(harness().dialogs.Last(), nullptr);
    SaveAsked(*harness().dialogs.Last(), "dialog_message.png");

    LoggedInOn(0);
    program().CurrentOperator = {"7", "老板", "Rudal"};
    SampleMembers();
    harness().dialogs.NextMenuChoice(menus::k修改姓名);
    program().members->ShowMemberMenu();  // the menu, then the rename box (cancelled)
    const std::vector<AskedDialog> asked = harness().dialogs.Asked();
    ASSERT_GE(asked.size(), 3u);
    ASSERT_EQ(asked[1].kind, AskedDialog::Kind::Menu);
    ASSERT_EQ(asked[2].kind, AskedDialog::Kind::Input);
    SaveAsked(asked[1], "dialog_menu.png");
    SaveAsked(asked[2], "dialog_input.png");
}

TEST_F(ScreensTest, MembersPageWithCurrentMember) {
    LoggedInOn(0);
    SampleMembers();
    w().外形框_当前用户->Show();
    w().编辑框_全局_卡号->SetText("1001");
    w().编辑框_全局_姓名->SetText("张三");
    w().编辑框_全局_余额->SetText("296");
    Save("page0_current_member.png");
}

TEST_F(ScreensTest, NewMemberPanel) {
    LoggedInOn(0);
    SampleMembers();
    // Where the opener puts it: 5 pixels below 按钮_新增会员, at its left.
    w().外形框_新增会员->move(w().按钮_新增会员->x(),
                              w().按钮_新增会员->y() + w().按钮_新增会员->height() + 5);
    w().外形框_新增会员->Show();
    w().外形框_新增会员->BringToFront();
    w().编辑框_新增会员_卡号->SetText("1004");
    w().编辑框_新增会员_充值金额->SetText("300");
    w().编辑框_新增会员_充值赠送->SetText("30");
    w().标签_充值信息提示->SetCaption("充值后可用余额:330元");
    Save("page0_new_member.png");
}

TEST_F(ScreensTest, CheckoutPanel) {
    LoggedInOn(0);
    SampleMembers();
    QWidget* panel = w().外形框_快速消费;
    panel->move(w().选择夹1->width() - panel->width() - 5,
                w().按钮_消费->y() + w().按钮_消费->height() + 5);
    w().外形框_快速消费->Show();
    w().外形框_快速消费->BringToFront();
    w().编辑框_快速消费_姓名->SetText("张三");
    w().编辑框_快速消费_手机号->Hide();
    w().编辑框_快速消费_现有余额->SetText("296");
    w().列表框_快速消费_消费项目清单->AddItem("足疗 88", 1);
    w().列表框_快速消费_消费项目清单->AddItem("修脚 50", 2);
    w().编辑框_快速消费_消费项目数->SetText("1");
    w().编辑框_快速消费_消费总金额->SetText("88");
    w().编辑框_快速消费_消费后余额->SetText("208");
    Save("page0_checkout.png");
}

TEST_F(ScreensTest, RecordPagesWithDatePanels) {
    LoggedInOn(1);
    w().选择框_充值管理_指定日期->SetTicked(true);
    w().外形框_充值管理_指定日期->Show();
    w().标签_充值管理_汇总信息->SetCaption("共2条记录 实付金额:700 赠送:60 充值总额:760");
    AddRow(*w().超级列表框_会员充值_充值列表,
           {"11", "1001", "张三", "2024-05-17 13:05:09", "300", "30", "330", "微信", "", "管理员"});
    AddRow(*w().超级列表框_会员充值_充值列表,
           {"12", "1002", "李四", "2024-05-18 09:00:00", "400", "30", "430", "现金", "", "管理员"});
    Save("page1_dates.png");

    w().选择夹1->SetCurrentPage(2);
    w().选择框_消费管理_指定日期->SetTicked(true);
    w().外形框_消费管理_指定日期->Show();
    w().标签_消费管理_汇总信息->SetCaption("共1条记录 金额:88 卡扣款:88");
    AddRow(*w().超级列表框_会员消费_消费列表,
           {"21", "1001", "张三", "2024-05-17 13:05:09", "足疗", "88", "88", "", "管理员"});
    Save("page2_dates.png");
}

TEST_F(ScreensTest, SettingsPageAndSubPanels) {
    LoggedInOn(3);
    w().外形框_系统设置->Show();
    Save("page3_settings.png");
    struct Sub {
        QWidget* panel;
        QWidget* button;
        const char* file;
    };
    const std::vector<Sub> subs = {
        {w().外形框_修改消费项目, w().按钮_系统设置_修改消费项目, "page3_items.png"},
        {w().外形框_修改密码, w().按钮_系统设置_修改密码, "page3_password.png"},
        {w().外形框_系统设置_新增管理员, w().按钮_系统设置_新增管理员, "page3_operator.png"},
    };
    AddRow(*w().超级列表框_项目设置, {"1", "足疗", "88"});
    AddRow(*w().超级列表框_项目设置, {"2", "修脚", "50"});
    for (const Sub& s : subs) {
        for (const Sub& other : subs) {
            other.panel->hide();
        }
        // Where its button puts it: at the button's left, 5 pixels below it.
        s.panel->move(s.button->x(), s.button->y() + s.button->height() + 5);
        s.panel->show();
        Save(s.file);
    }
}

}  // namespace
}  // namespace kob::test
