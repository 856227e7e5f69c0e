// Screenshots of the window in its main states, for a person to look at:
// PNGs in build/screens/ of the source tree, whichever tree runs the tests.
// Each state is reached as the operator reaches it (the login page, clicks
// on the buttons and the lists) on rows the test puts in the server, so the
// pictures show what the program shows.
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QTest>
#include <QTimer>

#include "records_fixture.h"
#include "ui/menus.h"

namespace kob::test {
namespace {

class ScreensTest : public RecordsTest {
  protected:
    void SetUp() override {
        // Off the window, where a test that hovers a button leaves it.
        QCursor::setPos(0, 0);
        RecordsTest::SetUp();
        dir_ = QStringLiteral(KOBRELAN_GUI_TEST_SOURCE_DIR "/build/screens");
        ASSERT_TRUE(QDir().mkpath(dir_));
    }
    // Later window tests start with an empty drop-down and no last login name.
    void TearDown() override {
        RecordsTest::TearDown();
        RemoveConfigFile();
        ResetTables();
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

    // The shop: its operator, three members with their records, two service
    // items.
    static void AddShop() {
        Exec(
            "INSERT INTO `bosslist`(`boss_tel`,`boss_name`,`boss_key`) "
            "VALUES ('Rudal','管理员','888888')");
        AddMember(1001, "张三", "13800000001");
        AddMember(1002, "李四", "13900000002");
        AddMember(1003, "王五", "13700000003");
        const PayRow pays[] = {
            {"2024-05-17 13:05:09", "300", "30", "330", "微信", "", 0, 1001, "张三", "1", "管理员"},
            {"2024-05-18 09:00:00", "200", "30", "230", "现金", "", 0, 1001, "张三", "1", "管理员"},
            {"2024-05-18 10:30:00", "200", "0", "200", "支付宝", "", 0, 1002, "李四", "1",
             "管理员"},
        };
        for (const PayRow& pay : pays) {
            AddPay(pay);
        }
        for (const char* date :
             {"2024-05-17 13:30:00", "2024-05-18 15:00:00", "2024-05-19 11:20:00"}) {
            AddCostRow(
                {"{1}足疗[88]", "88", 0, date, "1", "足疗", "88", 1001, "张三", "1", "管理员"});
        }
        Exec("INSERT INTO `xmlist`(`xm_name`,`xm_money`) VALUES ('足疗','88'),('修脚','50')");
    }

    // Through the login page, as the operator logs in: the name, the
    // password typed, the button. It ends on the members page, loaded.
    void LogInOnThePage() {
        w().组合框_登录用户名->SetText("Rudal");
        Type(w().编辑框_密码, "888888");
        Click(w().按钮_登录系统);
        ASSERT_EQ(program().LoggedIn, 1);
        WaitForTotals();
    }

    // A left click on the member's row; the current-member box follows on
    // the timer's next tick.
    void ClickMember(std::string_view card) {
        const int row = RowOf(list(), card);
        ASSERT_GE(row, 0) << card;
        const QPoint at = list().visualRect(list().model()->index(row, 1)).center();
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w().外形框_当前用户->Visible(); }, 5000));
    }

    QString dir_;
};

TEST_F(ScreensTest, StartUp) {
    Save("start.png");
}

// While the login finishes: the login page with its controls disabled and
// the button saying so, just before the members page opens.
TEST_F(ScreensTest, LoginControlsDisabledAfterTheLogin) {
    AddShop();
    bool saved = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (w().按钮_登录系统->Caption() != "登录成功") {
            return;
        }
        watch.stop();
        EXPECT_EQ(w().选择夹1->CurrentPage(), 3);
        Save("page3_logged_in.png");
        saved = true;
    });
    watch.start();
    LogInOnThePage();
    watch.stop();
    EXPECT_TRUE(saved);
}

TEST_F(ScreensTest, HoveredSideButton) {
    Hover(w().按钮_会员充值);
    Save("side_button_hover.png");
}

TEST_F(ScreensTest, MessageMenuAndInputBoxes) {
    AddShop();
    // The empty-input box of the login.
    Click(w().按钮_登录系统);
    ASSERT_NE(harness().dialogs.Last(), nullptr);
    SaveAsked(*harness().dialogs.Last(), "dialog_message.png");

    LogInOnThePage();
    ClickMember("1001");
    harness().dialogs.ClearAsked();
    harness().dialogs.NextMenuChoice(menus::k修改姓名);
    // A right click on the row: the menu, then the rename box (cancelled).
    const QPoint at = list().visualRect(list().model()->index(0, 1)).center();
    QTest::mouseClick(list().viewport(), Qt::RightButton, {}, at);
    const std::vector<AskedDialog> asked = harness().dialogs.Asked();
    ASSERT_GE(asked.size(), 2u);
    ASSERT_EQ(asked[0].kind, AskedDialog::Kind::Menu);
    ASSERT_EQ(asked[1].kind, AskedDialog::Kind::Input);
    SaveAsked(asked[0], "dialog_menu.png");
    SaveAsked(asked[1], "dialog_input.png");
}

TEST_F(ScreensTest, MembersPageWithCurrentMember) {
    AddShop();
    LogInOnThePage();
    ClickMember("1001");
    EXPECT_EQ(w().编辑框_全局_余额->Text(), "296");
    Save("page0_current_member.png");
}

TEST_F(ScreensTest, NewMemberPanel) {
    AddShop();
    LogInOnThePage();
    ClickMember("1001");
    Click(w().按钮_新增会员);
    ASSERT_TRUE(w().外形框_新增会员->Visible());
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "1004");
    Type(w().编辑框_新增会员_充值金额, "300");
    Type(w().编辑框_新增会员_充值赠送, "30");
    EXPECT_NE(w().标签_充值信息提示->Caption(), "");
    Save("page0_new_member.png");
}

TEST_F(ScreensTest, CheckoutPanel) {
    AddShop();
    LogInOnThePage();
    ClickMember("1001");
    Click(w().按钮_消费);
    ASSERT_TRUE(w().外形框_快速消费->Visible());
    // A double click on the first item, 足疗.
    ListBox& items = *w().列表框_快速消费_消费项目清单;
    ASSERT_GE(items.ItemCount(), 1);
    const QPoint at = items.visualItemRect(items.item(0)).center();
    QTest::mouseClick(items.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(items.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(w().编辑框_快速消费_消费项目数->Text(), "1");
    Save("page0_checkout.png");
}

// On each record page the operator ticks 指定日期, takes the last seven days
// and asks for every member's records.
TEST_F(ScreensTest, RecordPagesWithDatePanels) {
    AddShop();
    LogInOnThePage();
    harness().clock.SetNow(At(2024, 5, 20, 12));
    struct Page {
        ImageButton* side;
        CheckBox* range;
        ColourButton* last7;
        ImageButton* all;
        ReportList* list;
        Label* summary;
        int page;
        std::string summary_text;
        const char* file;
    };
    const std::vector<Page> pages = {
        {w().按钮_会员充值, w().选择框_充值管理_指定日期, w().按钮_充值管理_近7天,
         w().按钮_充值管理_所有用户, &recharges(), w().标签_充值管理_汇总信息, 1,
         "充值3次，实付700元，赠送60元，合计760元", "page1_dates.png"},
        {w().按钮_会员消费, w().选择框_消费管理_指定日期, w().按钮_消费管理_近7天,
         w().按钮_消费管理_所有用户, &consumption(), w().标签_消费管理_汇总信息, 2,
         "消费总计3次，合计总额264元", "page2_dates.png"},
    };
    for (const Page& p : pages) {
        SCOPED_TRACE(p.file);
        Click(p.side);
        ASSERT_EQ(w().选择夹1->CurrentPage(), p.page);
        Click(p.range);
        ASSERT_TRUE(p.range->Ticked());
        PressLeft(p.last7);
        ReleaseLeft(p.last7);
        Click(p.all);
        EXPECT_EQ(p.list->RowCount(), 3);
        EXPECT_EQ(p.summary->Caption(), p.summary_text);
        Save(p.file);
    }
}

TEST_F(ScreensTest, SettingsPageAndSubPanels) {
    AddShop();
    LogInOnThePage();
    Click(w().按钮_系统设置);
    ASSERT_TRUE(w().外形框_系统设置->Visible());
    Save("page3_settings.png");
    struct Sub {
        QWidget* panel;
        PushButton* button;
        bool asks_password;  // the operator's password again, before it opens
        const char* file;
    };
    const std::vector<Sub> subs = {
        {w().外形框_修改消费项目, w().按钮_系统设置_修改消费项目, false, "page3_items.png"},
        {w().外形框_修改密码, w().按钮_系统设置_修改密码, true, "page3_password.png"},
        {w().外形框_系统设置_新增管理员, w().按钮_系统设置_新增管理员, true, "page3_operator.png"},
    };
    for (const Sub& s : subs) {
        SCOPED_TRACE(s.file);
        if (s.asks_password) {
            harness().dialogs.NextInput("888888");
        }
        Click(s.button);
        ASSERT_TRUE(s.panel->isVisible());
        Save(s.file);
    }
    EXPECT_EQ(w().超级列表框_项目设置->RowCount(), 2);
}

}  // namespace
}  // namespace kob::test
