// The checkout confirmation: the one costlist row it stores, the member's
// totals and the refill afterwards, and its failures.
#include "checkout_fixture.h"

namespace kob::test {
namespace {

// 2024-05-01 14:00:05
constexpr double kFillTime = 45413.0 + (14 * 3600 + 5) / 86400.0;

class CheckoutConfirmTest : public CheckoutTest {
  protected:
    static std::vector<std::vector<std::string>> CostRowsStored() {
        return Rows(
            "SELECT `cost_notes`,`cost_money`,`cost_del`,`cost_date`,`xm_id`,`xm_name`,`xm_money`,"
            "`user_id`,`user_name`,`boss_id`,`boss_name` FROM `costlist` ORDER BY `cost_id`");
    }
};

TEST_F(CheckoutConfirmTest, OneLineStoresTheRowAsShown) {
    AddItem("x", "1");
    AddItem("y", "2");
    const std::string id = AddItem("A", "68");
    ASSERT_EQ(id, "3");
    LogInWithMember("500", "Tom");
    harness().clock.SetNow(kFillTime);
    OpenPanel();
    DoubleClickItem("A[68]");
    harness().clock.SetNow(kFillTime + 20 * 60 / 86400.0);  // confirmed at 14:20
    harness().pointer.MoveTo({450, 350});
    Confirm();
    EXPECT_EQ(Balloon(), "操作成功");
    EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(450, 350));
    const std::vector<std::vector<std::string>> want = {{"{3}A[68]", "68", "0",
                                                         "2024-05-01 14:00:05", "3", "A", "68", "1",
                                                         "Tom", kBossId, kBossName}};
    EXPECT_EQ(CostRowsStored(), want);
}

TEST_F(CheckoutConfirmTest, RowByLinesAndTotal) {
    const std::string a = AddItem("A", "68");
    const std::string b = AddItem("B", "30");
    struct Case {
        const char* what;
        std::vector<const char*> lines;
        const char* typed_total;  // nullptr: the total the lines give
        const char* typed_notes;  // nullptr: the notes the lines give
        std::string xm_id, xm_name, money;
    };
    const Case cases[] = {
        {"one line", {"A[68]"}, nullptr, nullptr, a, "A", "68"},
        {"total typed down", {"A[68]"}, "60", nullptr, a, "A", "60"},
        {"two lines", {"A[68]", "B[30]"}, nullptr, nullptr, "", "2个项目", "98"},
        {"same item twice", {"A[68]", "A[68]"}, nullptr, nullptr, "", "2个项目", "136"},
        {"no line, typed total", {}, "50", "散客", "", "0个项目", "50"},
    };
    LogInWithMember("1000");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Exec("DELETE FROM `costlist`");
        OpenPanel();
        for (const char* line : c.lines) {
            DoubleClickItem(line);
        }
        if (c.typed_total) {
            TypeTotal(c.typed_total);
        }
        if (c.typed_notes) {
            notes().SetText(c.typed_notes);
        }
        const std::string stored_notes = notes().Text();
        Confirm();
        const auto rows = CostRowsStored();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][0], stored_notes);
        EXPECT_EQ(rows[0][1], c.money) << "cost_money";
        EXPECT_EQ(rows[0][2], "0");
        EXPECT_EQ(rows[0][4], c.xm_id);
        EXPECT_EQ(rows[0][5], c.xm_name);
        EXPECT_EQ(rows[0][6], c.money) << "xm_money is the total";
    }
}

TEST_F(CheckoutConfirmTest, NothingToChargeStoresNothing) {
    LogInWithMember("100");
    struct Case {
        const char* what;
        const char* total;
    };
    for (const Case c : {Case{"empty", ""}, Case{"zero", "0"}, Case{"letters", "abc"}}) {
        SCOPED_TRACE(c.what);
        OpenPanel();
        total().SetText(c.total);
        w().气球提示框1->hide();
        Confirm();
        EXPECT_EQ(CostRows(), 0);
        EXPECT_FALSE(w().气球提示框1->Shown());
    }
}

TEST_F(CheckoutConfirmTest, TotalsRecomputedPanelRefilledOnceSpareListCopied) {
    AddItem("A", "68");
    LogInWithMember("500");
    OpenPanel();
    DoubleClickItem("A[68]");
    notes().SetText("note");
    int refills = 0;
    members().open_checkout_panel = [&] {
        ++refills;
        checkout().OpenCheckoutPanel();
    };
    const int fills = checkout().CheckoutFills();
    ServerLog log;
    ASSERT_TRUE(log.On());
    Confirm();
    const auto sent = log.Stop();
    EXPECT_EQ(refills, 1) << "the fill's own recomputation refills nothing";
    EXPECT_EQ(checkout().CheckoutFills(), fills + 1);
    // The refill shows what the recomputation before it has just read.
    EXPECT_EQ(Recomputations(sent), 1) << Listing(sent);
    const int row = list().SelectedRow();
    EXPECT_EQ(RowCells(list(), row), (std::vector<std::string>{"1", "Tom", "13800000001", "1",
                                                               "500", "500", "1", "68", "432"}));
    EXPECT_EQ(RowCells(spare(), RowOf(spare(), "1")), RowCells(list(), row));
    EXPECT_EQ(balance().Text(), "432");
    EXPECT_EQ(lines().ItemCount(), 0);
    for (EditBox* box : {&total(), &count(), &after()}) {
        EXPECT_EQ(box->Text(), "");
    }
    EXPECT_EQ(notes().Text(), "");
    EXPECT_TRUE(w().外形框_快速消费->Visible());
    EXPECT_EQ(items().ItemCount(), 1);
}

TEST_F(CheckoutConfirmTest, FailureLeavesThePanelForARetry) {
    AddItem("A", "68");
    LogInWithMember("500");
    OpenPanel();
    DoubleClickItem("A[68]");
    notes().SetText("🦶 wash");  // GBK cannot hold it: the statement fails
    harness().pointer.MoveTo({460, 360});
    Confirm();
    EXPECT_EQ(Balloon(), "操作失败，请检查网络及数据库");
    EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(460, 360));
    EXPECT_EQ(CostRows(), 0);
    EXPECT_EQ(Lines(), "A[68]");
    EXPECT_EQ(total().Text(), "68");
    EXPECT_EQ(notes().Text(), "🦶 wash");
    EXPECT_EQ(balance().Text(), "500");
    notes().SetText("wash");
    Confirm();
    EXPECT_EQ(Balloon(), "操作成功");
    EXPECT_EQ(CostRows(), 1);
}

TEST_F(CheckoutConfirmTest, QuotesAreStoredAsTyped) {
    AddItem("O'Neil\\", "68");
    LogInWithMember("500", "D'Arcy");
    OpenPanel();
    DoubleClickItem("O'Neil\\[68]");
    notes().SetText("it's \"fine\"");
    Confirm();
    const auto rows = CostRowsStored();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "it's \"fine\"");
    EXPECT_EQ(rows[0][5], "O'Neil\\");
    EXPECT_EQ(rows[0][8], "D'Arcy");
}

// With no member row selected nothing refills the panel: the checkout still
// starts over so the same lines are not stored twice, and the balance box
// shows what is left.
TEST_F(CheckoutConfirmTest, WithoutSelectedRowTheStoredLinesAreGone) {
    AddItem("A", "68");
    LogInWithMember("500");
    OpenPanel();
    list().SetSelectedRow(-1);  // the refill stops before the member
    ASSERT_TRUE(w().外形框_快速消费->Visible());
    DoubleClickItem("A[68]");
    Confirm();
    EXPECT_EQ(Balloon(), "操作成功");
    EXPECT_EQ(CostRows(), 1);
    EXPECT_EQ(lines().ItemCount(), 0);
    EXPECT_EQ(total().Text(), "");
    EXPECT_EQ(balance().Text(), "432");
    w().气球提示框1->hide();
    Confirm();
    EXPECT_EQ(CostRows(), 1);
    EXPECT_FALSE(w().气球提示框1->Shown());
}

}  // namespace
}  // namespace kob::test
