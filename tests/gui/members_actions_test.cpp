// The privileged member actions of the menu 会员操作 and the Delete key,
// against the real server.
#include <optional>

#include "members_fixture.h"
#include "ui/menus.h"

namespace kob::test {
namespace {

class MembersActionsTest : public MembersTest {
  protected:
    void SetUp() override {
        MembersTest::SetUp();
        AddMembersAndRecords();
    }
    static void AddMembersAndRecords() {
        AddMember(1, "Tom", "13800000001");
        AddMember(2, "李四", "13900000002");
        AddRecharge(1, "100", "0", "100", 0, "Tom");
        AddRecharge(1, "10", "0", "10", 0, "TOM");   // another spelling: not the old name
        AddRecharge(1, "20", "0", "20", 0, "汤姆");  // an older name of the member
        AddRecharge(2, "30", "0", "30", 0, "Tom");   // another member with the same name
        AddCost(1, "40", 0, "Tom");
        AddCost(1, "5", 1, "Tom");  // deleted records follow as well
        AddCost(2, "50", 0, "Tom");
    }
    // Right click, then the menu item.
    void Choose(int item) {
        harness().dialogs.NextMenuChoice(item);
        members().ShowMemberMenu();
    }
    static std::vector<std::vector<std::string>> MemberRows() {
        return Rows("SELECT `user_id`,`user_name`,`user_tel` FROM `userlist` ORDER BY `user_id`");
    }
    static std::vector<std::vector<std::string>> Records() {
        return Rows(
            "SELECT 'pay',`pay_id`,`user_id`,`user_name` FROM `paylist` UNION ALL SELECT "
            "'cost',`cost_id`,`user_id`,`user_name` FROM `costlist` ORDER BY 1,2");
    }
    // The member's detail changed by the menu item to typed, the success box
    // answered.
    void ChangeThroughTheMenu(const std::string& card, int item, const std::string& typed) {
        Select(card);
        harness().dialogs.NextInput(typed);
        harness().dialogs.NextMessage(Answer::Ok);
        Choose(item);
    }
    // A changed cell shows in the list, the spare list keeps the same row, and
    // the search knows the new text at once.
    void ExpectChangedCell(const std::string& card, int column, const std::string& text,
                           const std::string& search) {
        const int row = RowOf(list(), card);
        EXPECT_EQ(list().Cell(row, column), text);
        EXPECT_EQ(RowCells(spare(), RowOf(spare(), card)), RowCells(list(), row));
        w().编辑框_会员管理_搜索->SetText(search);
        EXPECT_EQ(Cards(list()), std::vector<std::string>{card});
    }
};

TEST_F(MembersActionsTest, MenuOffersTheThreeActions) {
    LogIn();
    members().ShowMemberMenu();  // nothing chosen: nothing happens
    const AskedDialog* asked = LastAsked();
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->kind, AskedDialog::Kind::Menu);
    EXPECT_EQ(asked->text, "会员操作");
    EXPECT_EQ(asked->items, (std::vector<std::string>{"删除会员", "修改姓名", "修改电话"}));
    EXPECT_EQ(harness().dialogs.Asked().size(), 1u);
}

TEST_F(MembersActionsTest, AnotherOperatorIsToldOnlyForTheDeletion) {
    LogIn(false);
    Select("1");
    const auto members_before = MemberRows();
    const auto records_before = Records();
    struct Case {
        int item;
        bool told;
    };
    for (const Case c : {Case{menus::k删除会员, true}, Case{menus::k修改姓名, false},
                         Case{menus::k修改电话, false}}) {
        SCOPED_TRACE(c.item);
        harness().dialogs.ClearAsked();
        Choose(c.item);
        const auto& asked = harness().dialogs.Asked();
        ASSERT_EQ(asked.size(), c.told ? 2u : 1u) << "the menu, then at most the one box";
        if (c.told) {
            EXPECT_EQ(asked[1].kind, AskedDialog::Kind::Message);
            EXPECT_EQ(asked[1].text, "您没有权限，请更换账号后使用");
            EXPECT_EQ(asked[1].title, "");
            EXPECT_EQ(asked[1].buttons, MessageButtons::Ok);
        }
        EXPECT_FALSE(w().气球提示框1->Shown());
    }
    EXPECT_EQ(MemberRows(), members_before);
    EXPECT_EQ(Records(), records_before);
}

TEST_F(MembersActionsTest, CancelOnTheWarningChangesNothing) {
    LogIn();
    Select("1");
    const auto members_before = MemberRows();
    const auto records_before = Records();
    for (int item : {menus::k删除会员, menus::k修改姓名, menus::k修改电话}) {
        SCOPED_TRACE(item);
        harness().dialogs.ClearAsked();
        harness().dialogs.NextInput("新值");
        harness().dialogs.NextMessage(Answer::Cancel);
        Choose(item);
        const AskedDialog* asked = LastAsked();
        ASSERT_NE(asked, nullptr);
        EXPECT_EQ(asked->title, "危险提示！！！");
        EXPECT_EQ(asked->buttons, MessageButtons::OkCancel);
        EXPECT_EQ(Balloon(), "未进行操作");
        EXPECT_EQ(MemberRows(), members_before);
        EXPECT_EQ(Records(), records_before);
        EXPECT_EQ(RowCells(list(), 0)[1], "Tom");
        EXPECT_EQ(RowCells(list(), 0)[2], "13800000001");
    }
}

TEST_F(MembersActionsTest, DeletionRemovesTheMemberAndKeepsItsRecords) {
    LogIn();
    Select("1");
    const auto records_before = Records();
    harness().dialogs.NextMessage(Answer::Ok);
    Choose(menus::k删除会员);
    EXPECT_EQ(MemberRows(), (std::vector<std::vector<std::string>>{{"2", "李四", "13900000002"}}));
    EXPECT_EQ(Records(), records_before);
    EXPECT_EQ(Balloon(), "删除会员成功，卡号为：1、会员姓名为：Tom");
    WaitForTotals();  // the list is loaded again
    EXPECT_EQ(Cards(list()), std::vector<std::string>{"2"});
    EXPECT_EQ(Cards(spare()), std::vector<std::string>{"2"});
}

TEST_F(MembersActionsTest, DeleteKeyDeletesForThePrivilegedOperatorOnly) {
    struct Case {
        bool privileged;
        size_t members_left;
    };
    for (const Case c : {Case{false, 2}, Case{true, 1}}) {
        SCOPED_TRACE(c.privileged);
        LogIn(c.privileged);
        Select("1");
        harness().dialogs.ClearAsked();
        harness().dialogs.NextMessage(Answer::Ok);
        list().setFocus();
        PressKey(&list(), Qt::Key_Delete);
        EXPECT_EQ(MemberRows().size(), c.members_left);
        EXPECT_EQ(harness().dialogs.Asked().size(), c.privileged ? 1u : 0u) << "no message";
        WaitForTotals();
    }
}

TEST_F(MembersActionsTest, OtherKeysDoNothing) {
    LogIn();
    Select("1");
    for (int key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_A}) {
        members().OnMemberListKeyDown(VirtualKeyOf(key), 0);
    }
    EXPECT_TRUE(harness().dialogs.Asked().empty());
    EXPECT_EQ(MemberRows().size(), 2u);
}

TEST_F(MembersActionsTest, RenameFollowsOnlyRecordsWithTheOldName) {
    LogIn();
    ChangeThroughTheMenu("1", menus::k修改姓名, "汤米");
    const auto& asked = harness().dialogs.Asked();
    ASSERT_GE(asked.size(), 2u);
    EXPECT_EQ(asked[1].kind, AskedDialog::Kind::Input);
    EXPECT_EQ(asked[1].initial, "Tom") << "the box shows the current name";
    EXPECT_EQ(MemberRows()[0], (std::vector<std::string>{"1", "汤米", "13800000001"}));
    EXPECT_EQ(Records(), (std::vector<std::vector<std::string>>{
                             {"cost", "1", "1", "汤米"},
                             {"cost", "2", "1", "汤米"},
                             {"cost", "3", "2", "Tom"},
                             {"pay", "1", "1", "汤米"},
                             {"pay", "2", "1", "TOM"},
                             {"pay", "3", "1", "汤姆"},
                             {"pay", "4", "2", "Tom"},
                         }));
    EXPECT_EQ(Balloon(), "修改姓名成功");
    ExpectChangedCell("1", kMemberName, "汤米", "tm");
}

TEST_F(MembersActionsTest, PhoneChange) {
    LogIn();
    ChangeThroughTheMenu("2", menus::k修改电话, "13500009999");
    EXPECT_EQ(harness().dialogs.Asked()[1].initial, "13900000002");
    EXPECT_EQ(MemberRows()[1], (std::vector<std::string>{"2", "李四", "13500009999"}));
    EXPECT_EQ(Balloon(), "修改电话成功");
    ExpectChangedCell("2", kMemberPhone, "13500009999", "9999");
}

TEST_F(MembersActionsTest, InputCancelledOrUnchangedDoesNothing) {
    LogIn();
    Select("1");
    const auto members_before = MemberRows();
    const auto records_before = Records();
    struct Case {
        int item;
        std::optional<std::string> typed;
        const char* balloon;
    };
    const Case cases[] = {
        {menus::k修改姓名, std::nullopt, "未进行操作"},
        {menus::k修改姓名, "Tom", "未进行操作"},
        {menus::k修改姓名, "", "会员姓名不能为空"},
        {menus::k修改电话, std::nullopt, "未进行操作"},
        {menus::k修改电话, "13800000001", "未进行操作"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        harness().dialogs.ClearAsked();
        harness().dialogs.NextInput(c.typed);
        Choose(c.item);
        EXPECT_EQ(Balloon(), c.balloon);
        EXPECT_EQ(harness().dialogs.Asked().size(), 2u) << "no warning box";
    }
    EXPECT_EQ(MemberRows(), members_before);
    EXPECT_EQ(Records(), records_before);
}

TEST_F(MembersActionsTest, AnOpenPanelNeverStoresForADeletedMemberOrUnderAnOldName) {
    struct Panel {
        const char* name;
        Frame* frame;
        QWidget* opener;
        EditBox* name_box;
        EditBox* amount;
        QWidget* confirm;
        const char* stored_sql;  // card and name of the rows stored after the setup's
    };
    const Panel panels[] = {
        {"recharge", w().外形框_新增会员, w().按钮_充值, w().编辑框_新增会员_姓名,
         w().编辑框_新增会员_充值金额, w().按钮_会员管理_新增会员_确定,
         "SELECT `user_id`,`user_name` FROM `paylist` WHERE `pay_id` > 4"},
        {"checkout", w().外形框_快速消费, w().按钮_消费, w().编辑框_快速消费_姓名,
         w().编辑框_快速消费_消费总金额, w().按钮_快速消费_确定结账,
         "SELECT `user_id`,`user_name` FROM `costlist` WHERE `cost_id` > 3"},
    };
    struct Action {
        int item;
        std::optional<std::string> typed;
        bool panel_stays;
        std::vector<std::vector<std::string>> stored;  // when 确定 is pressed afterwards
    };
    const Action actions[] = {
        {menus::k删除会员, std::nullopt, false, {}},
        {menus::k修改姓名, "汤米", true, {{"1", "汤米"}}},
    };
    LogIn();
    for (const Panel& p : panels) {
        for (const Action& a : actions) {
            SCOPED_TRACE(std::string(p.name) + " " + std::to_string(a.item));
            ASSERT_TRUE(ResetTables());
            AddMembersAndRecords();
            members().ResetMemberSearch();
            WaitForTotals();
            Select("1");
            Click(p.opener);
            ASSERT_TRUE(p.frame->Visible());
            p.amount->SetText("10");
            if (a.typed) {
                harness().dialogs.NextInput(*a.typed);
            }
            harness().dialogs.NextMessage(Answer::Ok);
            Choose(a.item);
            WaitForTotals();
            EXPECT_EQ(p.frame->Visible(), a.panel_stays);
            if (p.frame->Visible()) {  // the operator can only press 确定 on a shown panel
                EXPECT_EQ(p.name_box->Text(), *a.typed);
                p.amount->SetText("10");
                PressLeft(p.confirm);
            }
            EXPECT_EQ(Rows(p.stored_sql), a.stored);
        }
    }
}

TEST_F(MembersActionsTest, WithoutASelectedRowNothingIsAsked) {
    LogIn();
    for (int item : {menus::k删除会员, menus::k修改姓名, menus::k修改电话}) {
        harness().dialogs.ClearAsked();
        Choose(item);
        EXPECT_EQ(harness().dialogs.Asked().size(), 1u) << item;
    }
    EXPECT_EQ(MemberRows().size(), 2u);
}

}  // namespace
}  // namespace kob::test
