// The quick-checkout panel: its fill, the checkout lines with the balance
// check, the typed total, the lines balloon, clear and close.
#include "checkout_fixture.h"

namespace kob::test {
namespace {

class CheckoutPanelTest : public CheckoutTest {};

TEST_F(CheckoutPanelTest, FillShowsTheMemberAndTheCatalogue) {
    const std::string a = AddItem("A", "68");
    const std::string b = AddItem("洗脚", "030");
    AddItem("gone", "10", 1);
    LogInWithMember("100");
    harness().clock.SetNow(45000.25);
    Click(w().按钮_新增会员);
    ASSERT_TRUE(w().外形框_新增会员->Visible());
    OpenPanel();
    auto& panel = *w().外形框_快速消费;
    EXPECT_TRUE(panel.Visible());
    EXPECT_EQ(panel.Left(), 603);
    EXPECT_EQ(panel.Top(), 111);
    EXPECT_FALSE(w().外形框_新增会员->Visible()) << "the checkout hides the open new-member panel";
    EXPECT_EQ(w().编辑框_快速消费_卡号->Text(), "1");
    EXPECT_EQ(w().编辑框_快速消费_姓名->Text(), "Tom");
    EXPECT_EQ(balance().Text(), "100");
    ASSERT_EQ(items().ItemCount(), 2) << "the deleted item is not offered";
    EXPECT_EQ(items().ItemText(ItemIndex("A[68]")), "A[68]");
    EXPECT_EQ(items().ItemValue(ItemIndex("A[68]")), ToInt32(a));
    EXPECT_EQ(items().ItemValue(ItemIndex("洗脚[030]")), ToInt32(b)) << "the price as stored";
    EXPECT_EQ(w().focusWidget(), &items());
    EXPECT_EQ(w().日期框_消费管理_自定义时间->Value(), 45000.25);
    for (EditBox* box : {&total(), &count(), &after()}) {
        EXPECT_EQ(box->Text(), "");
    }
    EXPECT_EQ(notes().Text(), "");
}

TEST_F(CheckoutPanelTest, OverlayOnlyForAMemberWithoutName) {
    AddMember(1, "", "13911112222");
    AddMember(2, "Ann", "13933334444");
    LogIn();
    struct Case {
        const char* card;
        bool overlay;
        const char* phone;
    };
    // The overlay is shown at design: the named member first, so that each
    // case needs the opener to change it.
    for (const Case c : {Case{"2", false, "13933334444"}, Case{"1", true, "13911112222"}}) {
        SCOPED_TRACE(c.card);
        Select(c.card);
        OpenPanel();
        auto& overlay = *w().编辑框_快速消费_手机号;
        EXPECT_EQ(overlay.Visible(), c.overlay);
        EXPECT_EQ(overlay.Text(),
                  std::string("本会员姓名为空\r\n----------------\r\n手机号[") + c.phone + "]");
    }
}

TEST_F(CheckoutPanelTest, NoMemberOrNoCardResetsOnly) {
    AddItem("A", "68");
    AddMember(1, "Tom");
    AddMember(2, "Ann");
    AddRecharge(1, "100", "0", "100");
    LogIn();
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"no row selected", [&] { list().SetSelectedRow(-1); }},
        {"empty card number",
         [&] {
             Select("2");
             list().SetCell(list().SelectedRow(), kMemberCard, "");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Select("1");
        OpenPanel();
        DoubleClickItem("A[68]");
        ASSERT_EQ(lines().ItemCount(), 1);
        checkout().CloseCheckoutPanel(0, 0, 0);
        c.arrange();
        harness().clock.SetNow(45100.5);
        checkout().OpenCheckoutPanel();
        EXPECT_FALSE(w().外形框_快速消费->Visible()) << "neither shown nor hidden";
        EXPECT_EQ(lines().ItemCount(), 0);
        EXPECT_EQ(total().Text(), "");
        EXPECT_EQ(count().Text(), "");
        EXPECT_EQ(notes().Text(), "");
        EXPECT_EQ(w().日期框_消费管理_自定义时间->Value(), 45100.5);
        EXPECT_EQ(w().编辑框_快速消费_卡号->Text(), "1") << "the previous fill's member stays";
        EXPECT_EQ(items().ItemCount(), 1);
        // The members list is reloaded for the next case.
        members().ResetMemberSearch();
        WaitForTotals();
    }
}

TEST_F(CheckoutPanelTest, BalanceCheckAtItsEdge) {
    AddItem("forty", "40");
    AddItem("sixty", "60");
    AddItem("one", "1");
    LogInWithMember("100");
    OpenPanel();
    DoubleClickItem("forty[40]");
    DoubleClickItem("sixty[60]");
    EXPECT_EQ(total().Text(), "100");
    EXPECT_EQ(after().Text(), "0");
    EXPECT_EQ(count().Text(), "2");
    EXPECT_FALSE(w().气球提示框1->Shown());

    harness().pointer.MoveTo({321, 234});
    const std::string note = notes().Text();
    DoubleClickItem("one[1]");
    EXPECT_EQ(Balloon(), "余额不足，不能消费");
    EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(321, 234)) << "at the pointer, unmoved";
    EXPECT_EQ(Lines(), "forty[40]|sixty[60]");
    EXPECT_EQ(total().Text(), "100");
    EXPECT_EQ(count().Text(), "2");
    EXPECT_EQ(after().Text(), "0");
    EXPECT_EQ(notes().Text(), note);
}

TEST_F(CheckoutPanelTest, SameItemTwiceGivesTwoLines) {
    const std::string id = AddItem("A", "68");
    LogInWithMember("500");
    OpenPanel();
    DoubleClickItem("A[68]");
    DoubleClickItem("A[68]");
    EXPECT_EQ(Lines(), "A[68]|A[68]");
    EXPECT_EQ(lines().ItemValue(1), ToInt32(id));
    EXPECT_EQ(count().Text(), "2");
    EXPECT_EQ(total().Text(), "136");
    EXPECT_EQ(after().Text(), "364");
    EXPECT_EQ(notes().Text(), "{" + id + "}A[68]\r\n{" + id + "}A[68]");
}

TEST_F(CheckoutPanelTest, NoteFollowsTheLines) {
    const std::string a = AddItem("A", "68");
    const std::string b = AddItem("B", "30");
    LogInWithMember("500");
    OpenPanel();
    DoubleClickItem("A[68]");
    EXPECT_EQ(notes().Text(), "{" + a + "}A[68]");
    notes().setFocus();
    QTest::keyClick(&notes(), Qt::Key_End, Qt::ControlModifier);
    Type(&notes(), "熟客");
    EXPECT_EQ(notes().Text(), "{" + a + "}A[68]熟客");
    DoubleClickItem("B[30]");
    EXPECT_EQ(notes().Text(), "{" + a + "}A[68]\r\n{" + b + "}B[30]");
}

TEST_F(CheckoutPanelTest, TypedTotalIsCutBackToTheBalance) {
    LogInWithMember("120");
    OpenPanel();
    struct Case {
        const char* typed;
        const char* total;
        const char* after;
        bool balloon;
    };
    const Case cases[] = {
        {"150", "120", "0", true},         {"120", "120", "0", false}, {"50", "50", "70", false},
        {"0", "0", "120", false},          {"", "", "120", false},     {"-5", "-5", "125", false},
        {"99999999999", "120", "0", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        w().气球提示框1->hide();
        TypeTotal("7");  // a change before the case, so clearing is one
        w().气球提示框1->hide();
        TypeTotal(c.typed);
        EXPECT_EQ(total().Text(), c.total);
        EXPECT_EQ(after().Text(), c.after);
        EXPECT_EQ(w().气球提示框1->Shown(), c.balloon);
        if (c.balloon) {
            EXPECT_EQ(Balloon(), "余额不足，不能消费");
            EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(w().Left() + 900, w().Top() + 360));
        }
    }
}

TEST_F(CheckoutPanelTest, FillIsNotCappedByANegativeBalance) {
    AddMember(1, "Tom");
    AddRecharge(1, "10", "0", "10");
    AddCost(1, "30");
    LogIn();
    Select("1");
    OpenPanel();
    EXPECT_EQ(balance().Text(), "-20");
    w().气球提示框1->hide();
    checkout().ClearCheckout(0, 0, 0);  // the reset writes the total with -20 in the box
    EXPECT_EQ(total().Text(), "");
    EXPECT_FALSE(w().气球提示框1->Shown());
}

// The largest amounts the nine-digit boxes let in: balance, total and the
// balance after show whole, the boxes keep their places and sizes.
TEST_F(CheckoutPanelTest, NumbersShowWholeAtTheLargestValues) {
    struct Case {
        const char* balance;
        const char* typed;
        const char* total;
        const char* after;
    };
    const std::vector<Case> cases = {
        {"1999999998", "-999999999", "-999999999", "2999999997"},
        {"-1999999998", "1", "-1999999998", "0"},  // cut back to the balance
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.balance);
        ASSERT_TRUE(ResetTables());
        LogInWithMember(c.balance);
        OpenPanel();
        const std::vector<QWidget*> shown = {&balance(), &total(), &after(), &count()};
        std::vector<QRect> places;
        for (QWidget* control : shown) {
            places.push_back(control->geometry());
        }
        TypeTotal(c.typed);
        EXPECT_EQ(balance().Text(), c.balance);
        EXPECT_EQ(total().Text(), c.total);
        EXPECT_EQ(after().Text(), c.after);
        for (size_t i = 0; i < shown.size(); ++i) {
            SCOPED_TRACE(shown[i]->objectName().toStdString());
            EXPECT_LE(TextOverflow(shown[i]), 0);
            EXPECT_EQ(shown[i]->geometry(), places[i]);
        }
    }
}

TEST_F(CheckoutPanelTest, CatalogueChangesShowAtTheNextFill) {
    AddItem("A", "68");
    const std::string b = AddItem("B", "30");
    LogInWithMember("100");
    OpenPanel();
    EXPECT_EQ(items().ItemCount(), 2);
    AddItem("C", "5");
    Exec("UPDATE `xmlist` SET `xm_del` = 1 WHERE `xm_id` = " + b);
    EXPECT_EQ(items().ItemCount(), 2) << "nothing is read until the next fill";
    OpenPanel();
    EXPECT_GE(ItemIndex("C[5]"), 0);
    EXPECT_LT(ItemIndex("B[30]"), 0);
}

TEST_F(CheckoutPanelTest, LinesBalloon) {
    AddItem("A", "68");
    AddItem("B", "30");
    LogInWithMember("500");
    OpenPanel();
    harness().pointer.MoveTo({400, 300});
    PressLeft(&count());
    EXPECT_TRUE(w().气球提示框1->Shown());
    EXPECT_EQ(Balloon(), "") << "no lines: an empty balloon";
    EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(400, 285));
    DoubleClickItem("A[68]");
    DoubleClickItem("B[30]");
    PressLeft(&count());
    EXPECT_EQ(Balloon(), "A[68]\r\nB[30]");
}

TEST_F(CheckoutPanelTest, CloseKeepsTheContentUntilTheNextOpening) {
    AddItem("A", "68");
    LogInWithMember("500");
    OpenPanel();
    DoubleClickItem("A[68]");
    PressLeft(w().按钮_快速消费_关闭);
    EXPECT_FALSE(w().外形框_快速消费->Visible());
    EXPECT_EQ(Lines(), "A[68]");
    EXPECT_EQ(total().Text(), "68");
    OpenPanel();
    EXPECT_TRUE(w().外形框_快速消费->Visible());
    EXPECT_EQ(lines().ItemCount(), 0);
    EXPECT_EQ(total().Text(), "");
    EXPECT_EQ(count().Text(), "");
    EXPECT_EQ(after().Text(), "");
    EXPECT_EQ(notes().Text(), "");
    EXPECT_EQ(balance().Text(), "500");
}

TEST_F(CheckoutPanelTest, EachRefillFillsOnceAndRecomputesOnce) {
    AddItem("A", "68");
    LogInWithMember("500");
    OpenPanel();
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"清空", [&] { PressLeft(w().按钮_快速消费_清空); }},
        {"消费 on the open panel", [&] { OpenPanel(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DoubleClickItem("A[68]");
        ASSERT_EQ(lines().ItemCount(), 1);
        AddCost(1, "100");  // behind the panel's back: only a recomputation shows it
        const int fills = checkout().CheckoutFills();
        ServerLog log;
        ASSERT_TRUE(log.On());
        c.act();
        const auto sent = log.Stop();
        EXPECT_EQ(Recomputations(sent), 1) << Listing(sent);
        EXPECT_EQ(checkout().CheckoutFills(), fills + 1);
        EXPECT_EQ(lines().ItemCount(), 0);
        EXPECT_EQ(total().Text(), "");
        EXPECT_EQ(balance().Text(), list().Cell(list().SelectedRow(), kMemberBalance));
    }
    EXPECT_EQ(balance().Text(), "300");
}

TEST_F(CheckoutPanelTest, PanelFollowsTheSelectedMember) {
    AddItem("A", "68");
    AddMember(1, "Tom");
    AddMember(2, "Ann");
    AddRecharge(2, "90", "0", "90");
    LogIn();
    Select("1");
    OpenPanel();
    DoubleClickItem("A[68]");
    EXPECT_EQ(lines().ItemCount(), 0) << "Tom's balance is 0";
    const int fills = checkout().CheckoutFills();
    Select("2");
    EXPECT_EQ(checkout().CheckoutFills(), fills + 1);
    EXPECT_EQ(w().编辑框_快速消费_姓名->Text(), "Ann");
    EXPECT_EQ(balance().Text(), "90");
}

// An item name holding brackets of its own is still charged its price.
TEST_F(CheckoutPanelTest, BracketsInTheNameDoNotSetThePrice) {
    const std::string id = AddItem("足疗[VIP]", "68");
    LogInWithMember("100");
    OpenPanel();
    DoubleClickItem("足疗[VIP][68]");
    EXPECT_EQ(total().Text(), "68");
    EXPECT_EQ(after().Text(), "32");
    EXPECT_EQ(notes().Text(), "{" + id + "}足疗[VIP][68]");
    DoubleClickItem("足疗[VIP][68]");
    EXPECT_EQ(Balloon(), "余额不足，不能消费");
    EXPECT_EQ(total().Text(), "68");
}

}  // namespace
}  // namespace kob::test

namespace kob::test {
namespace {

// The lines go into cost_notes (1024 characters): an item whose line would
// not fit is refused at once, and what was taken is stored whole.
TEST_F(CheckoutPanelTest, AnItemWhoseLineTheNoteCannotHoldIsRefused) {
    const std::string name(60, 'x');  // "{id}" + 60 + "[1]" + CR LF: about 68 each
    AddItem(name, "1");
    LogInWithMember("1000");
    OpenPanel();
    int taken = 0;
    for (int i = 0; i < 20; ++i) {
        DoubleClickItem(name + "[1]");
        if (lines().ItemCount() == taken) {
            break;
        }
        ++taken;
    }
    EXPECT_EQ(taken, 15);  // 15 lines of 68 make 1020
    EXPECT_EQ(Balloon(), "备注已满，不能再添加项目");
    EXPECT_EQ(total().Text(), "15");
    Confirm();
    EXPECT_EQ(Balloon(), "操作成功");
    EXPECT_EQ(Scalar("SELECT CHAR_LENGTH(`cost_notes`) FROM `costlist`"), "1018");
}

}  // namespace
}  // namespace kob::test
