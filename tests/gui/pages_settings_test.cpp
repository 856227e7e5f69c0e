// Page 3 as it is created: the login controls, the masked and whole-number
// boxes, the settings panel and the service-item list.
#include <QTest>
#include <set>

#include "list_columns.h"
#include "support/db_fixture.h"
#include "support/report_rows.h"
#include "support/window_fixture.h"

namespace kob::test {
namespace {

// The login drop-down lists bosslist, so start from empty tables.
class SettingsPageTest : public WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ResetTables());
        WindowTest::SetUp();
    }
};

TEST_F(SettingsPageTest, AfterStartUpOnlyTheLoginShows) {
    const std::set<std::string> expected = {"图片框1",   "透明标签1",   "组合框_登录用户名",
                                            "透明标签2", "编辑框_密码", "按钮_登录系统"};
    EXPECT_EQ(VisibleChildren(w().选择夹1->Page(3)), expected);
    EXPECT_FALSE(w().外形框_系统设置->isVisible());
    EXPECT_FALSE(w().载入条->isVisible());
    EXPECT_FALSE(w().编辑框_用户名->isVisible());
    EXPECT_EQ(w().组合框_登录用户名->ItemCount(), 0);
    EXPECT_EQ(w().组合框_登录用户名->CurrentItem(), -1);
    EXPECT_EQ(w().组合框_登录用户名->Text(), "");
    EXPECT_EQ(w().编辑框_密码->Text(), "");
    EXPECT_EQ(w().按钮_登录系统->Caption(), "登录系统");
    EXPECT_FALSE(w().图片框1->pixmap().isNull());
    for (QWidget* login : std::vector<QWidget*>{w().组合框_登录用户名, w().编辑框_密码,
                                                w().编辑框_用户名, w().按钮_登录系统}) {
        EXPECT_TRUE(login->isEnabled()) << login->objectName().toStdString();
    }
}

TEST_F(SettingsPageTest, MaskedBoxesShowOneStarPerCharacter) {
    // The settings panel's boxes are typed into once it is open.
    program().LoggedIn = 1;
    w().外形框_系统设置->Show();
    w().外形框_修改密码->Show();
    w().外形框_系统设置_新增管理员->Show();
    for (EditBox* box : {w().编辑框_密码, w().编辑框_输入新密码, w().编辑框_新密码确认,
                         w().编辑框_新增管理员_密码, w().编辑框_新增管理员_密码确认}) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->setFocus();
        Type(box, "ab1密");
        EXPECT_EQ(box->Text(), "ab1密");
        EXPECT_EQ(box->displayText().toStdString(), "****");
    }
}

TEST_F(SettingsPageTest, ItemPriceTakesWholeNumbersOnly) {
    program().LoggedIn = 1;
    w().外形框_系统设置->Show();
    w().外形框_修改消费项目->Show();
    EditBox* price = w().编辑框_项目金额;
    struct Case {
        const char* typed;
        const char* kept;
    };
    for (const Case& c : std::vector<Case>{{"38", "38"},
                                           {"x", ""},
                                           {"3.5", "35"},
                                           {"-2", "2"},
                                           {"2-", "2"},
                                           {"一百", ""},
                                           {" 7", "7"},
                                           {"1234567890", "123456789"}}) {
        SCOPED_TRACE(c.typed);
        price->SetText("");
        price->setFocus();
        Type(price, c.typed);
        EXPECT_EQ(price->Text(), c.kept);
    }
}

TEST_F(SettingsPageTest, ServiceItemListHasSixColumnsThreeOfThemEmpty) {
    ReportList* list = w().超级列表框_项目设置;
    ASSERT_NO_FATAL_FAILURE(ExpectColumns(list, kListColumns.at("超级列表框_项目设置")));
    EXPECT_EQ(list->RowCount(), 0);
    // A loaded item fills the first three cells; the others stay empty.
    AddRow(*list, {"3", "足疗", "88"});
    for (int c = 3; c < 6; ++c) {
        EXPECT_EQ(list->Cell(0, c), "");
    }
}

TEST_F(SettingsPageTest, SettingsPanelHoldsButtonsCheckBoxAndHiddenSubPanels) {
    program().LoggedIn = 1;
    w().外形框_系统设置->Show();
    const std::set<std::string> expected = {"按钮_系统设置_修改消费项目", "按钮_系统设置_修改密码",
                                            "按钮_系统设置_新增管理员", "选择框_新纪录在最前"};
    EXPECT_EQ(VisibleChildren(w().外形框_系统设置), expected);
    EXPECT_EQ(w().选择框_新纪录在最前->text().toStdString(), "新记录显示在最前");
}

}  // namespace
}  // namespace kob::test
