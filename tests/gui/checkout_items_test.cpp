// The service item catalogue on the settings page: opening, adding and
// deleting items, both after the login password is typed again.
#include "checkout_fixture.h"

namespace kob::test {
namespace {

class CheckoutItemsTest : public CheckoutTest {
  protected:
    void SetUp() override {
        CheckoutTest::SetUp();
        LogIn();
        program().operators->ShowSettingsPage();
    }
    ReportList& catalogue() { return *w().超级列表框_项目设置; }
    EditBox& name_box() { return *w().编辑框_项目名称; }
    EditBox& price_box() { return *w().编辑框_项目金额; }
    static std::vector<std::vector<std::string>> Items() {
        return Rows("SELECT `xm_id`,`xm_name`,`xm_money`,`xm_del` FROM `xmlist` ORDER BY `xm_id`");
    }
    // Catalogue rows as the list shows them, all six cells.
    std::vector<std::vector<std::string>> Listed() {
        std::vector<std::vector<std::string>> rows;
        for (int r = 0; r < catalogue().RowCount(); ++r) {
            std::vector<std::string> cells;
            for (int c = 0; c < 6; ++c) {
                cells.push_back(catalogue().Cell(r, c));
            }
            rows.push_back(std::move(cells));
        }
        return rows;
    }
    void Add(std::string_view name, std::string_view price) {
        name_box().SetText(std::string(name));
        price_box().SetText(std::string(price));
        Click(w().按钮_新增项目);
    }
    bool PasswordAsked() {
        for (const AskedDialog& asked : harness().dialogs.Asked()) {
            if (asked.kind == AskedDialog::Kind::Input) {
                EXPECT_EQ(asked.text, "需要二次确认密码，请输入");
                EXPECT_EQ(asked.title, "密码二次验证");
                EXPECT_TRUE(asked.masked);
                EXPECT_EQ(asked.initial, "");
                return true;
            }
        }
        return false;
    }
};

TEST_F(CheckoutItemsTest, OpeningListsTheItemsWithoutAskingAnything) {
    const std::string a = AddItem("足疗", "88");
    AddItem("gone", "10", 1);
    const std::string b = AddItem("修脚", "30元");
    w().外形框_修改密码->Show();
    Click(w().按钮_系统设置_修改消费项目);
    auto& panel = *w().外形框_修改消费项目;
    EXPECT_TRUE(panel.Visible());
    EXPECT_FALSE(w().外形框_修改密码->Visible());
    EXPECT_FALSE(w().外形框_系统设置_新增管理员->Visible());
    EXPECT_EQ(panel.Left(), 8);
    EXPECT_EQ(panel.Top(), 41);
    EXPECT_TRUE(harness().dialogs.Asked().empty());
    EXPECT_EQ(Listed(), (std::vector<std::vector<std::string>>{{a, "足疗", "88", "", "", ""},
                                                               {b, "修脚", "30元", "", "", ""}}));
}

TEST_F(CheckoutItemsTest, ReloadReadsTheTableAgain) {
    checkout().OpenServiceItemPanel();
    EXPECT_EQ(catalogue().RowCount(), 0);
    AddItem("A", "5");
    Click(w().按钮_项目消费重新载入);
    EXPECT_EQ(catalogue().RowCount(), 1);
}

TEST_F(CheckoutItemsTest, NameAndPriceAreCheckedBeforeThePassword) {
    checkout().OpenServiceItemPanel();
    struct Case {
        const char* name;
        const char* price;
    };
    for (const Case c :
         {Case{"A", "0"}, Case{"A", ""}, Case{"", "50"}, Case{"", ""}, Case{"A", "abc"}}) {
        SCOPED_TRACE(std::string(c.name) + "/" + c.price);
        harness().dialogs.ClearAsked();
        Add(c.name, c.price);
        const auto& asked = harness().dialogs.Asked();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].kind, AskedDialog::Kind::Message);
        EXPECT_EQ(asked[0].text, "项目名称和金额不能同时为空");
        EXPECT_EQ(asked[0].title, "错误提示");
        EXPECT_EQ(asked[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(asked[0].icon, MessageIcon::None);
        EXPECT_EQ(name_box().Text(), c.name);
        EXPECT_EQ(price_box().Text(), c.price);
    }
    EXPECT_TRUE(Items().empty());
}

TEST_F(CheckoutItemsTest, PasswordCancelledOrWrongWritesNothing) {
    checkout().OpenServiceItemPanel();
    struct Case {
        const char* what;
        std::optional<std::string> answer;
        bool told;
    };
    const Case cases[] = {{"cancel", std::nullopt, false},
                          {"wrong", "888889", true},
                          {"trailing blank", "888888 ", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        harness().dialogs.ClearAsked();
        harness().dialogs.NextInput(c.answer);
        Add("足疗", "88");
        EXPECT_TRUE(PasswordAsked());
        const auto& asked = harness().dialogs.Asked();
        ASSERT_EQ(asked.size(), c.told ? 2u : 1u);
        if (c.told) {
            EXPECT_EQ(asked[1].text, "密码验证错误，不能修改");
            EXPECT_EQ(asked[1].title, "温馨提示");
            EXPECT_EQ(asked[1].buttons, MessageButtons::Ok);
        }
        EXPECT_FALSE(w().气球提示框1->Shown());
        EXPECT_EQ(name_box().Text(), "足疗");
        EXPECT_EQ(price_box().Text(), "88");
    }
    EXPECT_TRUE(Items().empty());
}

TEST_F(CheckoutItemsTest, AddStoresTheTextsAsTyped) {
    checkout().OpenServiceItemPanel();
    struct Case {
        const char* name;
        const char* price;
    };
    const Case cases[] = {{"足疗", "88"}, {"足疗", "088"}, {" O'Neil ", "68元"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        harness().dialogs.NextInput(kPassword);
        harness().pointer.MoveTo({300, 200});
        Add(c.name, c.price);
        EXPECT_EQ(Balloon(), "新增成功");
        EXPECT_EQ(w().气球提示框1->ShownAt(), QPoint(300, 190));
        EXPECT_EQ(name_box().Text(), "");
        EXPECT_EQ(price_box().Text(), "");
    }
    const auto items = Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], (std::vector<std::string>{items[0][0], "足疗", "88", "0"}));
    EXPECT_EQ(items[1], (std::vector<std::string>{items[1][0], "足疗", "088", "0"}));
    EXPECT_NE(items[0][0], items[1][0]) << "the same name again is a row of its own";
    EXPECT_EQ(items[2], (std::vector<std::string>{items[2][0], " O'Neil ", "68元", "0"}));
    ASSERT_EQ(catalogue().RowCount(), 3);
    EXPECT_EQ(catalogue().Cell(2, 1), " O'Neil ");

    // The checkout panel offers it at its next fill.
    AddMember(1, "Tom");
    members().ResetMemberSearch();
    WaitForTotals();
    Select("1");
    checkout().OpenCheckoutPanel();
    EXPECT_GE(ItemIndex(" O'Neil [68元]"), 0);
}

TEST_F(CheckoutItemsTest, FailedInsertKeepsTheBoxes) {
    checkout().OpenServiceItemPanel();
    harness().dialogs.NextInput(kPassword);
    Add("🦶", "30");  // GBK cannot hold it
    EXPECT_EQ(Balloon(), "操作失败，错误代码[561254545]");
    EXPECT_EQ(name_box().Text(), "🦶");
    EXPECT_EQ(price_box().Text(), "30");
    EXPECT_TRUE(Items().empty());
}

TEST_F(CheckoutItemsTest, DeleteIsSoftAndSilent) {
    AddItem("A", "68");
    const std::string b = AddItem("B", "30");
    checkout().OpenServiceItemPanel();
    catalogue().SetSelectedRow(RowOf(catalogue(), b));
    harness().dialogs.NextInput(kPassword);
    Click(w().按钮_删除项目);
    EXPECT_TRUE(PasswordAsked());
    EXPECT_EQ(harness().dialogs.Asked().size(), 1u) << "no message";
    EXPECT_EQ(catalogue().RowCount(), 1);
    EXPECT_EQ(catalogue().Cell(0, 1), "A");
    EXPECT_EQ(Scalar("SELECT `xm_del` FROM `xmlist` WHERE `xm_id` = " + b), "1");
    EXPECT_EQ(Items().size(), 2u);
}

TEST_F(CheckoutItemsTest, DeleteWithoutARowOrIdAsksNothing) {
    AddItem("A", "68");
    checkout().OpenServiceItemPanel();
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"no row", [&] { catalogue().SetSelectedRow(-1); }},
        {"empty id",
         [&] {
             catalogue().SetSelectedRow(0);
             catalogue().SetCell(0, 0, "");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        harness().dialogs.ClearAsked();
        Click(w().按钮_删除项目);
        EXPECT_TRUE(harness().dialogs.Asked().empty());
    }
    EXPECT_EQ(Scalar("SELECT `xm_del` FROM `xmlist`"), "0");
}

// An id that is no whole number never reaches the statement.
TEST_F(CheckoutItemsTest, DeleteOfAnOddIdFails) {
    const std::string a = AddItem("A", "68");
    AddItem("B", "30");
    checkout().OpenServiceItemPanel();
    catalogue().SetSelectedRow(0);
    catalogue().SetCell(0, 0, a + " OR 1=1");
    harness().dialogs.NextInput(kPassword);
    Click(w().按钮_删除项目);
    const AskedDialog* asked = LastAsked();
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->text, "操作失败");
    EXPECT_EQ(asked->title, "错误提示[56522145]");
    EXPECT_EQ(asked->buttons, MessageButtons::Ok);
    EXPECT_EQ(asked->icon, MessageIcon::None);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM `xmlist` WHERE `xm_del` = 1"), "0");
    EXPECT_EQ(catalogue().Cell(0, 0), a + " OR 1=1") << "the list is not reloaded";
}

}  // namespace
}  // namespace kob::test
