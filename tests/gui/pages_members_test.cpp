// Page 0 as it is created: the empty member list, what shows before a panel
// opens, the two panels' controls.
#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <cmath>
#include <set>

#include "list_columns.h"
#include "platform/core/datetime.h"
#include "support/window_fixture.h"

namespace kob::test {
namespace {

class MembersPageTest : public WindowTest {
  protected:
    // The page as the members button leaves it after a login; the handler
    // itself belongs to the members subsystem.
    void ShowPage() {
        program().LoggedIn = 1;
        w().选择夹1->SetCurrentPage(0);
    }
};

TEST_F(MembersPageTest, MemberListShowsNineHeadersAndNoRows) {
    ReportList* list = w().超级列表框_会员管理_会员列表;
    for (ReportList* l : {list, w().超级列表框_会员管理_会员列表备用}) {
        SCOPED_TRACE(l->objectName().toStdString());
        ASSERT_NO_FATAL_FAILURE(ExpectColumns(l, kMemberListColumns));
        EXPECT_EQ(l->RowCount(), 0);
        EXPECT_EQ(l->SelectedRow(), -1);
    }
    ShowPage();
    EXPECT_TRUE(list->horizontalHeader()->isVisible());
}

TEST_F(MembersPageTest, OnlyHintSearchBoxImageButtonsAndListShowUntilAPanelOpens) {
    ShowPage();
    const std::set<std::string> expected = {
        "透明标签",
        "编辑框_会员管理_搜索",
        "按钮_会员管理_搜索",
        "按钮_新增会员",
        "按钮_充值",
        "按钮_消费",
        "超级列表框_会员管理_会员列表",
    };
    EXPECT_EQ(VisibleChildren(w().选择夹1->Page(0)), expected);
    EXPECT_FALSE(w().载入条_会员->isVisible());
    EXPECT_FALSE(w().外形框_新增会员->isVisible());
    EXPECT_FALSE(w().外形框_快速消费->isVisible());
}

TEST_F(MembersPageTest, SpinnerAndPanelsLieOverTheList) {
    ShowPage();
    w().载入条_会员->Show();
    w().外形框_新增会员->Show();
    QWidget* page = w().选择夹1->Page(0);
    const QPoint spinner = w().载入条_会员->geometry().center();
    EXPECT_EQ(page->childAt(spinner)->objectName().toStdString(), "载入条_会员");
    const QPoint panel = w().外形框_新增会员->geometry().center();
    QWidget* top = page->childAt(panel);
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(w().外形框_新增会员->isAncestorOf(top) || top == w().外形框_新增会员);
}

TEST_F(MembersPageTest, CheckoutPanelDisabledBoxesIgnoreClicks) {
    ShowPage();
    w().外形框_快速消费->Show();
    for (EditBox* box : {w().编辑框_快速消费_姓名, w().编辑框_快速消费_现有余额}) {
        SCOPED_TRACE(box->objectName().toStdString());
        EXPECT_TRUE(box->Disabled());
        w().编辑框_快速消费_备注->setFocus();
        Click(box);
        EXPECT_NE(QApplication::focusWidget(), box);
        Type(box, "12");
        EXPECT_EQ(box->Text(), "");
    }
}

TEST_F(MembersPageTest, ColourButtonsOfBothPanelsActOnPress) {
    ShowPage();
    w().外形框_新增会员->Show();
    for (ColourButton* b : {w().按钮_会员管理_新增会员_确定, w().按钮_会员管理_新增会员_取消}) {
        ExpectActsOnPress(b);
    }
    w().外形框_新增会员->Hide();
    w().外形框_快速消费->Show();
    for (ColourButton* b :
         {w().按钮_快速消费_确定结账, w().按钮_快速消费_清空, w().按钮_快速消费_关闭}) {
        ExpectActsOnPress(b);
    }
}

TEST_F(MembersPageTest, ColourButtonCaptionTakesTheHoverColour) {
    ShowPage();
    w().外形框_新增会员->Show();
    ColourButton* b = w().按钮_会员管理_新增会员_确定;
    const QImage before = b->grab().toImage();
    Hover(b);
    EXPECT_TRUE(b->Hovered());
    const QImage hovered = b->grab().toImage();
    EXPECT_NE(before, hovered);
    // Only the caption changes: the corner keeps the blue background.
    EXPECT_EQ(QColor(hovered.pixel(1, 1)), QColor(0x00, 0x88, 0xFF));
    bool orange = false;
    for (int y = 0; y < hovered.height() && !orange; ++y) {
        for (int x = 0; x < hovered.width() && !orange; ++x) {
            const QColor c(hovered.pixel(x, y));
            orange = c.red() > 200 && c.green() > 90 && c.green() < 170 && c.blue() < 80;
        }
    }
    EXPECT_TRUE(orange);
}

// Recharge amount, bonus and checkout total: an optional leading minus,
// digits and one point, kept as typed.
TEST_F(MembersPageTest, MoneyBoxesTakeAmountsOnly) {
    ShowPage();
    w().外形框_新增会员->Show();
    w().外形框_快速消费->Show();
    // A balance the typed totals stay under: a higher total is cut back.
    w().编辑框_快速消费_现有余额->SetText("1000");
    struct Case {
        const char* typed;
        const char* kept;
    };
    const std::vector<Case> cases = {
        {"123", "123"}, {"12a3", "123"}, {"-50", "-50"}, {"5-0", "50"},
        {"1.5", "1.5"}, {"abc", ""},     {"充值", ""},
    };
    for (EditBox* box : {w().编辑框_新增会员_充值金额, w().编辑框_新增会员_充值赠送,
                         w().编辑框_快速消费_消费总金额}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(box->objectName().toStdString() + " typed " + c.typed);
            box->SetText("");
            box->setFocus();
            Type(box, c.typed);
            EXPECT_EQ(box->Text(), c.kept);
        }
    }
}

TEST_F(MembersPageTest, PanelDateBoxesHoldTheTimeOfDay) {
    const double at = CivilToOle({2024, 5, 17, 13, 5, 9, 0});
    for (DateBox* box : {w().日期框_充值管理_自定义时间, w().日期框_消费管理_自定义时间}) {
        SCOPED_TRACE(box->objectName().toStdString());
        box->SetValue(at);
        EXPECT_EQ(FormatDateTimeText(box->Value(), "yyyy-MM-dd ", "HH:mm:ss"),
                  "2024-05-17 13:05:09");
    }
}

TEST_F(MembersPageTest, PaymentMethodsWithWeChatCurrent) {
    ComboBox* combo = w().组合框_充值管理_充值方式;
    ASSERT_EQ(combo->ItemCount(), 3);
    EXPECT_EQ(combo->ItemText(0), "微信");
    EXPECT_EQ(combo->ItemText(1), "支付宝");
    EXPECT_EQ(combo->ItemText(2), "现金");
    EXPECT_EQ(combo->CurrentItem(), 0);
    EXPECT_EQ(combo->Text(), "微信");
}

TEST_F(MembersPageTest, PageImageButtonsHoverOnePixelRightAndUp) {
    ShowPage();
    struct Case {
        ImageButton* button;
        const char* picture;
        int dx, dy;
    };
    const std::vector<Case> cases = {
        {w().按钮_会员管理_搜索, ":/page0/search.png", 1, -1},
        {w().按钮_新增会员, ":/page0/new_member.png", 2, -2},
        {w().按钮_充值, ":/page0/recharge.png", 1, -1},
        {w().按钮_消费, ":/page0/checkout.png", 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        const QImage normal = QImage(c.picture).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(normal.isNull());
        Hover(c.button);
        ASSERT_EQ(c.button->CurrentFace(), 1);
        const QImage drawn = c.button->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const PixelMatch m = MatchOpaquePixels(normal, drawn, QPoint(c.dx, c.dy), 4, 3);
        ASSERT_GT(m.compared, 50);
        EXPECT_GT(m.equal, m.compared * 95 / 100) << m.equal << " of " << m.compared;
        Unhover(c.button);
        EXPECT_EQ(c.button->CurrentFace(), 0);
    }
}

TEST_F(MembersPageTest, NextCardButtonHoversWithItsRedFace) {
    ShowPage();
    w().外形框_新增会员->Show();
    ImageButton* b = w().按钮_会员管理_新增会员_获取卡号;
    Hover(b);
    ASSERT_EQ(b->CurrentFace(), 1);
    const QImage red = QImage(":/page0/next_card_hover.png").convertToFormat(QImage::Format_ARGB32);
    const QImage drawn = b->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const PixelMatch m = MatchOpaquePixels(red, drawn, QPoint(1, -1), 2, 1);
    ASSERT_GT(m.compared, 50);
    EXPECT_GT(m.equal, m.compared * 95 / 100) << m.equal << " of " << m.compared;
}

}  // namespace
}  // namespace kob::test
