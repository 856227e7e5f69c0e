// The new-member/recharge panel, the selected member and the current-member
// box against the real server.
#include "data/config.h"
#include "members_fixture.h"
#include "platform/core/datetime.h"

namespace kob::test {
namespace {

class MembersPanelTest : public MembersTest {
  protected:
    void SetUp() override {
        MembersTest::SetUp();
        AddMember(1, "张三", "13800000001");
        AddMember(2, "李四", "13900000002");
        AddRecharge(1, "100", "0", "100");
        LogIn();
    }
    Frame& panel() { return *w().外形框_新增会员; }
    Frame& checkout() { return *w().外形框_快速消费; }
    void Confirm() { PressLeft(w().按钮_会员管理_新增会员_确定); }
    bool RechargeMode() { return w().编辑框_新增会员_姓名->Disabled(); }
    static std::string PaylistCount() { return Scalar("SELECT COUNT(*) FROM `paylist`"); }
};

TEST_F(MembersPanelTest, RechargePanelOpensForTheSelectedMember) {
    WriteConfigKey(data::kSectionRecharge, data::kKeyDefaultPaymentMethod, "现金");
    w().编辑框_新增会员_充值金额->SetText("5");
    checkout().Show();
    AddRecharge(1, "20", "0", "20");  // the refresh before the fill shows it
    Select("1");
    harness().clock.SetNow(CivilToOle({2024, 5, 17, 15, 4, 5, 0}));
    Click(w().按钮_充值);
    EXPECT_FALSE(checkout().Visible());
    ASSERT_TRUE(panel().Visible());
    EXPECT_EQ(panel().Left(), w().按钮_充值->Left());
    EXPECT_EQ(panel().Top(), w().按钮_充值->Top() + w().按钮_充值->Height() + 5);
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "1");
    EXPECT_EQ(w().编辑框_新增会员_姓名->Text(), "张三");
    EXPECT_EQ(w().编辑框_新增会员_手机号->Text(), "13800000001");
    for (QWidget* box : std::initializer_list<QWidget*>{
             w().编辑框_新增会员_卡号, w().编辑框_新增会员_姓名, w().编辑框_新增会员_手机号,
             w().按钮_会员管理_新增会员_获取卡号}) {
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    }
    EXPECT_EQ(w().编辑框_新增会员_充值金额->Text(), "");
    EXPECT_EQ(w().编辑框_新增会员_充值赠送->Text(), "");
    EXPECT_EQ(w().组合框_充值管理_充值方式->Text(), "现金");
    EXPECT_DOUBLE_EQ(w().日期框_充值管理_自定义时间->Value(), harness().clock.Now());
    EXPECT_EQ(list().Cell(0, kMemberPayTotal), "120");
    EXPECT_EQ(QApplication::focusWidget(), w().编辑框_新增会员_充值金额);
}

TEST_F(MembersPanelTest, RechargePanelWithoutSelectionShowsNothing) {
    checkout().Show();
    members().OpenRechargePanel();
    EXPECT_FALSE(checkout().Visible());
    EXPECT_FALSE(panel().Visible());
}

TEST_F(MembersPanelTest, NewMemberPanelStartsEmptyWithTheNextCardNumber) {
    WriteConfigKey(data::kSectionRecharge, data::kKeyDefaultPaymentMethod, "支付宝");
    Select("1");
    members().OpenRechargePanel();  // leaves recharge mode and texts behind
    w().编辑框_新增会员_充值金额->SetText("30");
    w().选择框_关闭时刷新用户列表->SetTicked(true);
    checkout().Show();
    Click(w().按钮_新增会员);
    EXPECT_FALSE(w().选择框_关闭时刷新用户列表->Ticked());
    EXPECT_FALSE(checkout().Visible());
    ASSERT_TRUE(panel().Visible());
    EXPECT_FALSE(RechargeMode());
    EXPECT_TRUE(w().编辑框_新增会员_卡号->isEnabled());
    EXPECT_TRUE(w().编辑框_新增会员_手机号->isEnabled());
    EXPECT_TRUE(w().按钮_会员管理_新增会员_获取卡号->isEnabled());
    EXPECT_EQ(panel().Left(), w().按钮_新增会员->Left());
    EXPECT_EQ(panel().Top(), w().按钮_新增会员->Top() + w().按钮_新增会员->Height() + 5);
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "3");
    EXPECT_EQ(w().编辑框_新增会员_姓名->Text(), "");
    EXPECT_EQ(w().编辑框_新增会员_手机号->Text(), "");
    EXPECT_EQ(w().标签_充值信息提示->Caption(), "");
    EXPECT_EQ(w().组合框_充值管理_充值方式->Text(), "支付宝");
    EXPECT_EQ(w().编辑框_新增会员_充值金额->Text(), "30") << "the amount keeps its text";
    EXPECT_EQ(QApplication::focusWidget(), w().编辑框_新增会员_姓名);
}

TEST_F(MembersPanelTest, NextCardNumberIsOneAboveTheLargest) {
    Exec("INSERT INTO `userlist`(`user_id`,`user_del`) VALUES (41,1)");  // deleted ones count
    Click(w().按钮_会员管理_新增会员_获取卡号);
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "42");
    Exec("TRUNCATE TABLE `userlist`");
    members().FillNextCardNumber();
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "");
}

TEST_F(MembersPanelTest, ChosenPaymentMethodIsSaved) {
    auto& combo = *w().组合框_充值管理_充值方式;
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);  // the operator picks the next item
    EXPECT_EQ(combo.Text(), "支付宝");
    EXPECT_EQ(data::ReadConfig(data::kSectionRecharge, data::kKeyDefaultPaymentMethod), "支付宝");
}

TEST_F(MembersPanelTest, AvailableBalanceLineFollowsAmountAndBonus) {
    Select("1");
    members().OpenRechargePanel();
    Type(w().编辑框_新增会员_充值金额, "100");
    EXPECT_EQ(w().标签_充值信息提示->Caption(), "充值后可用余额:100元");
    Type(w().编辑框_新增会员_充值赠送, "25");
    EXPECT_EQ(w().标签_充值信息提示->Caption(), "充值后可用余额:125元");
    w().编辑框_新增会员_充值金额->SetText("");
    EXPECT_EQ(w().标签_充值信息提示->Caption(), "充值后可用余额:25元");
}

TEST_F(MembersPanelTest, RechargeInsertsOneRowWithThePanelsValues) {
    struct Case {
        const char* amount;
        const char* bonus;
        const char* total;
    };
    const Case cases[] = {{"200", "20", "220"}, {"200", "", "200"}, {"-50", "0", "-50"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        Select("1");
        members().OpenRechargePanel();
        // 15:04:05 must come out on the 24-hour clock.
        w().日期框_充值管理_自定义时间->SetValue(CivilToOle({2024, 5, 17, 15, 4, 5, 0}));
        w().组合框_充值管理_充值方式->SetText("支付宝");
        w().编辑框_新增会员_充值金额->SetText(c.amount);
        w().编辑框_新增会员_充值赠送->SetText(c.bonus);
        Confirm();
        const auto rows = Rows(
            "SELECT `pay_time`,`pay_money`,`pay_give`,`pay_total`,`pay_method`,`pay_notes`,"
            "`pay_del`,`user_id`,`user_name`,`boss_id`,`boss_name` FROM `paylist` WHERE "
            "`pay_id` > 1");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0],
                  (std::vector<std::string>{"2024-05-17 15:04:05", c.amount, c.bonus, c.total,
                                            "支付宝", "", "0", "1", "张三", kBossId, kBossName}));
        EXPECT_EQ(Balloon(), "充值成功");
        EXPECT_FALSE(panel().Visible());
        // The row is recomputed and copied into the spare list.
        const int row = RowOf(list(), "1");
        EXPECT_EQ(list().Cell(row, kMemberPayCount), "2");
        EXPECT_EQ(list().Cell(row, kMemberBalance), std::to_string(100 + ToInt32(c.total)));
        EXPECT_EQ(RowCells(spare(), RowOf(spare(), "1")), RowCells(list(), row));
        Exec("DELETE FROM `paylist` WHERE `pay_id` > 1");
    }
}

TEST_F(MembersPanelTest, ZeroAmountInRechargeModeDoesNothing) {
    Select("1");
    members().OpenRechargePanel();
    for (const char* amount : {"", "0", "00"}) {
        w().编辑框_新增会员_充值金额->SetText(amount);
        w().编辑框_新增会员_充值赠送->SetText("10");
        Confirm();
        EXPECT_EQ(PaylistCount(), "1") << amount;
        EXPECT_TRUE(panel().Visible());
        EXPECT_FALSE(w().气球提示框1->Shown());
    }
}

TEST_F(MembersPanelTest, FailedRechargeSaysSoAndKeepsThePanel) {
    Select("1");
    members().OpenRechargePanel();
    w().编辑框_新增会员_充值金额->SetText("10");
    w().组合框_充值管理_充值方式->SetText("😀");  // GBK cannot hold it: the insert fails
    Confirm();
    EXPECT_EQ(Balloon(), "充值失败，请稍后重试");
    EXPECT_EQ(PaylistCount(), "1");
    EXPECT_TRUE(panel().Visible());
}

TEST_F(MembersPanelTest, CreatingMembersChangesNoRowOfTheList) {
    const auto before_list = Cards(list());
    const auto row0 = RowCells(list(), 0);
    members().OpenNewMemberPanel();
    ASSERT_EQ(w().编辑框_新增会员_卡号->Text(), "3");
    w().编辑框_新增会员_姓名->SetText("王五");
    w().编辑框_新增会员_手机号->SetText("13700000003");
    harness().dialogs.NextMessage(Answer::Ok);  // add another
    Confirm();
    EXPECT_EQ(
        Rows("SELECT * FROM `userlist` WHERE `user_id` = 3"),
        (std::vector<std::vector<std::string>>{{"3", "0", "王五", "13700000003", "", "", "", ""}}));
    EXPECT_EQ(Balloon(), "新增会员成功");
    const AskedDialog* asked = LastAsked();
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->text, "会员添加成功，是否继续新增会员？");
    EXPECT_EQ(asked->title, "温馨提示");
    EXPECT_EQ(asked->buttons, MessageButtons::OkCancel);
    EXPECT_EQ(Cards(list()), before_list);
    EXPECT_EQ(RowCells(list(), 0), row0);
    // Ready for the next one.
    EXPECT_TRUE(panel().Visible());
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "4");
    EXPECT_EQ(w().编辑框_新增会员_姓名->Text(), "");
    EXPECT_EQ(w().编辑框_新增会员_手机号->Text(), "");
    EXPECT_TRUE(w().选择框_关闭时刷新用户列表->Ticked());

    w().编辑框_新增会员_姓名->SetText("赵六");
    w().编辑框_新增会员_充值金额->SetText("300");
    w().编辑框_新增会员_充值赠送->SetText("30");
    harness().dialogs.NextMessage(Answer::Ok);
    Confirm();
    EXPECT_EQ(Balloon(), "新增会员成功，充值成功");
    EXPECT_EQ(Rows("SELECT `pay_money`,`pay_give`,`pay_total`,`user_id`,`user_name` FROM "
                   "`paylist` WHERE `user_id` = 4"),
              (std::vector<std::vector<std::string>>{{"300", "30", "330", "4", "赵六"}}));
    EXPECT_EQ(Cards(list()), before_list);

    // Closing the panel now lists the new members.
    PressLeft(w().按钮_会员管理_新增会员_取消);
    EXPECT_FALSE(panel().Visible());
    WaitForTotals();
    EXPECT_EQ(Cards(list()), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(list().Cell(3, kMemberBalance), "330");
}

TEST_F(MembersPanelTest, CancelAfterANewMemberClosesAndReloads) {
    members().OpenNewMemberPanel();
    w().编辑框_新增会员_姓名->SetText("王五");
    harness().dialogs.NextMessage(Answer::Cancel);
    Confirm();
    EXPECT_FALSE(panel().Visible());
    WaitForTotals();
    EXPECT_EQ(Cards(list()), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(MembersPanelTest, NewMemberChecks) {
    struct Case {
        const char* card;
        const char* name;
        const char* balloon;
    };
    const Case cases[] = {
        {"", "王五", "会员卡号不能为空"},
        {"abc", "王五", "会员卡号只能是数字"},
        {"12a", "王五", "会员卡号只能是数字"},
        {"3 OR 1=1", "王五", "会员卡号只能是数字"},
        {"-3", "王五", "会员卡号只能是数字"},
        {"0", "王五", "会员卡号只能是数字"},
        {"99999999999", "王五", "会员卡号只能是数字"},
        {"3", "", "会员姓名不能为空"},
        {"1", "王五", "该会员卡号已经存在，请更换卡号"},
    };
    members().OpenNewMemberPanel();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.card) + "/" + c.name);
        harness().dialogs.ClearAsked();
        w().编辑框_新增会员_卡号->SetText(c.card);
        w().编辑框_新增会员_姓名->SetText(c.name);
        w().编辑框_新增会员_充值金额->SetText("100");
        Confirm();
        EXPECT_EQ(Balloon(), c.balloon);
        EXPECT_EQ(Scalar("SELECT COUNT(*) FROM `userlist`"), "2");
        EXPECT_EQ(PaylistCount(), "1");
        EXPECT_TRUE(harness().dialogs.Asked().empty());
        EXPECT_TRUE(panel().Visible());
    }
}

TEST_F(MembersPanelTest, FailedMemberInsertSaysSoAndStoresNothing) {
    members().OpenNewMemberPanel();
    w().编辑框_新增会员_姓名->SetText("王😀");  // GBK cannot hold it
    w().编辑框_新增会员_充值金额->SetText("100");
    Confirm();
    EXPECT_EQ(w().气球提示框1->Text(), "新增会员失败，请稍后重试");
    EXPECT_TRUE(harness().dialogs.Asked().empty());
    EXPECT_TRUE(panel().Visible());
    EXPECT_EQ(w().编辑框_新增会员_姓名->Text(), "王😀");
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM `userlist`"), "2");
    EXPECT_EQ(PaylistCount(), "1");
}

TEST_F(MembersPanelTest, QuotesInTypedTextsAreStoredAsTyped) {
    members().OpenNewMemberPanel();
    w().编辑框_新增会员_姓名->SetText("O'Brien\\");
    w().编辑框_新增会员_手机号->SetText("1'); DROP TABLE `userlist`; --");
    harness().dialogs.NextMessage(Answer::Cancel);
    Confirm();
    EXPECT_EQ(Scalar("SELECT `user_name` FROM `userlist` WHERE `user_id` = 3"), "O'Brien\\");
    EXPECT_EQ(Scalar("SELECT `user_tel` FROM `userlist` WHERE `user_id` = 3"),
              "1'); DROP TABLE `userlist`; --");
}

TEST_F(MembersPanelTest, RowChangeRefillsTheOpenPanelInRechargeMode) {
    members().OpenNewMemberPanel();
    w().编辑框_新增会员_姓名->SetText("未保存");
    Select("2");
    ASSERT_TRUE(panel().Visible());
    EXPECT_TRUE(RechargeMode());
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "2");
    EXPECT_EQ(w().编辑框_新增会员_姓名->Text(), "李四");
    Select("1");
    EXPECT_EQ(w().编辑框_新增会员_姓名->Text(), "张三");
    EXPECT_EQ(list().Cell(RowOf(list(), "1"), kMemberBalance), "100");
    // Closed: a row change opens nothing.
    PressLeft(w().按钮_会员管理_新增会员_取消);
    Select("2");
    EXPECT_FALSE(panel().Visible());
}

TEST_F(MembersPanelTest, CheckoutHookRunsOnlyWhileTheCheckoutPanelIsOpen) {
    int fills = 0;
    // Stands in for the checkout subsystem's fill.
    members().open_checkout_panel = [&] {
        ++fills;
        panel().Hide();
        checkout().Show();
        members().RefreshSelectedMemberTotals(true);
    };
    Select("1");
    EXPECT_EQ(fills, 0);
    checkout().Show();
    Select("2");
    EXPECT_EQ(fills, 1);
    EXPECT_FALSE(panel().Visible()) << "the recharge panel stays closed";
    // A refresh asked by something else writes the balance and refills once.
    AddRecharge(2, "80", "0", "80");
    members().RefreshSelectedMemberTotals();
    EXPECT_EQ(fills, 2);
    EXPECT_EQ(w().编辑框_快速消费_现有余额->Text(), "80");
    // The recharge panel's opener hides the checkout panel and refills nothing.
    members().OpenRechargePanel();
    EXPECT_FALSE(checkout().Visible());
    EXPECT_TRUE(panel().Visible());
    EXPECT_EQ(fills, 2);
}

TEST_F(MembersPanelTest, CurrentMemberBoxFollowsTheSelectionEachTick) {
    auto& box = *w().外形框_当前用户;
    auto tick = [&] { w().时钟1->on_tick(); };
    tick();
    EXPECT_FALSE(box.Visible());
    Select("1");
    EXPECT_FALSE(box.Visible()) << "only the tick shows it";
    tick();
    ASSERT_TRUE(box.Visible());
    EXPECT_EQ(w().编辑框_全局_卡号->Text(), "1");
    EXPECT_EQ(w().编辑框_全局_姓名->Text(), "张三");
    EXPECT_EQ(w().编辑框_全局_余额->Text(), "100");
    w().编辑框_全局_姓名->SetText("typed over");
    Select("2");
    tick();
    EXPECT_EQ(w().编辑框_全局_卡号->Text(), "2");
    EXPECT_EQ(w().编辑框_全局_姓名->Text(), "李四");
    EXPECT_EQ(w().编辑框_全局_余额->Text(), "0");
    list().SetCell(RowOf(list(), "2"), kMemberBalance, "");
    tick();
    EXPECT_EQ(w().编辑框_全局_余额->Text(), "0") << "an empty balance shows 0";
    list().SetSelectedRow(-1);
    tick();
    EXPECT_FALSE(box.Visible());
    EXPECT_EQ(w().编辑框_全局_卡号->Text(), "2") << "hidden, the texts stay";
}

// The largest amounts the nine-digit boxes let in: the current-member box and
// the available-balance line show their whole texts, the boxes keep their
// places and sizes.
TEST_F(MembersPanelTest, NumbersShowWholeAtTheLargestValues) {
    AddMember(2147483647, "王五");
    AddRecharge(2147483647, "999999999", "0", "999999999");
    AddRecharge(2147483647, "999999999", "0", "999999999");
    AddMember(2147483646, "赵六");
    AddCost(2147483646, "999999999");
    AddCost(2147483646, "999999999");
    members().LoadMemberList();
    members().RefreshAllMemberTotals();
    WaitForTotals();
    const std::vector<QWidget*> shown = {w().编辑框_全局_卡号, w().编辑框_全局_余额,
                                         w().编辑框_新增会员_充值金额, w().编辑框_新增会员_充值赠送,
                                         w().标签_充值信息提示};
    std::vector<QRect> places;
    for (QWidget* control : shown) {
        places.push_back(control->geometry());
    }
    auto all_whole = [&] {
        for (size_t i = 0; i < shown.size(); ++i) {
            SCOPED_TRACE(shown[i]->objectName().toStdString());
            EXPECT_LE(TextOverflow(shown[i]), 0);
            EXPECT_EQ(shown[i]->geometry(), places[i]);
        }
    };
    struct Case {
        const char* card;
        const char* balance;
        const char* amount;
        const char* bonus;
        const char* line;
    };
    const std::vector<Case> cases = {
        {"2147483647", "1999999998", "999999999", "999999999", "充值后可用余额:1999999998元"},
        {"2147483646", "-1999999998", "-999999999", "-999999999", "充值后可用余额:-1999999998元"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.card);
        Select(c.card);
        w().时钟1->on_tick();
        EXPECT_EQ(w().编辑框_全局_卡号->Text(), c.card);
        EXPECT_EQ(w().编辑框_全局_余额->Text(), c.balance);
        members().OpenRechargePanel();
        Type(w().编辑框_新增会员_充值金额, c.amount);
        Type(w().编辑框_新增会员_充值赠送, c.bonus);
        EXPECT_EQ(w().标签_充值信息提示->Caption(), c.line);
        all_whole();
    }
    // A short text gets the layout's size back.
    Select("1");
    w().时钟1->on_tick();
    EXPECT_EQ(w().编辑框_全局_余额->font().pixelSize(), 20);
    all_whole();
}

TEST_F(MembersPanelTest, TimerTicksEvery200Ms) {
    EXPECT_EQ(w().时钟1->interval(), 200);
    EXPECT_TRUE(w().时钟1->isActive());
    Select("1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return w().外形框_当前用户->Visible(); }, 1000));
}

}  // namespace
}  // namespace kob::test
