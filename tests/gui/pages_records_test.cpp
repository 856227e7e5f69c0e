// Pages 1 and 2 as they are created: the record lists with their hidden id
// column, the date panels, the presets and what page 2 changes.
#include <QTest>
#include <cmath>

#include "list_columns.h"
#include "platform/core/datetime.h"
#include "record_pages.h"
#include "support/report_rows.h"
#include "support/window_fixture.h"

namespace kob::test {
namespace {

class RecordPagesTest : public WindowTest {
  protected:
    void ShowPage(int page) {
        program().LoggedIn = 1;
        w().选择夹1->SetCurrentPage(page);
    }
};

TEST_F(RecordPagesTest, ListsHaveTheirColumns) {
    for (ReportList* list : {w().超级列表框_会员充值_充值列表, w().超级列表框_会员消费_消费列表}) {
        ExpectColumns(list, kListColumns.at(list->objectName().toStdString()));
    }
}

TEST_F(RecordPagesTest, IdColumnIsNotShownYetHoldsTheId) {
    for (const RecordPage& t : RecordPages(w())) {
        SCOPED_TRACE(t.page);
        ShowPage(t.page);
        AddRow(*t.list, {"4711", "1001", "张三", "2024-05-17 13:05:09", "100"});
        EXPECT_EQ(t.list->Cell(0, 0), "4711");
        EXPECT_EQ(t.list->Cell(0, 1), "1001");
        // Nothing of column 0 takes room on screen: column 1 starts at the left.
        EXPECT_EQ(t.list->columnViewportPosition(1), 0);
        EXPECT_EQ(t.list->columnWidth(0), 0);
        t.list->DeleteAllRows();
    }
}

TEST_F(RecordPagesTest, DatePanelHiddenWhileRangeUnticked) {
    for (const RecordPage& t : RecordPages(w())) {
        SCOPED_TRACE(t.page);
        ShowPage(t.page);
        EXPECT_FALSE(t.range->Ticked());
        EXPECT_TRUE(t.range->isVisible());
        EXPECT_TRUE(t.panel->isHidden());
        for (QWidget* c : std::vector<QWidget*>{t.start, t.end}) {
            EXPECT_FALSE(c->isVisible());
        }
        for (ColourButton* p : t.presets) {
            EXPECT_FALSE(p->isVisible());
        }
        // The panel holds them: showing it shows them.
        t.panel->Show();
        EXPECT_TRUE(t.start->isVisible());
        EXPECT_TRUE(t.presets.back()->isVisible());
    }
}

TEST_F(RecordPagesTest, PresetsActOnPress) {
    for (const RecordPage& t : RecordPages(w())) {
        ShowPage(t.page);
        t.panel->Show();
        for (ColourButton* p : t.presets) {
            ExpectActsOnPress(p);
        }
    }
}

TEST_F(RecordPagesTest, RecordDateBoxesStartAtToday) {
    const double today = std::floor(harness().clock.Now());
    for (const RecordPage& t : RecordPages(w())) {
        for (DateBox* box : {t.start, t.end}) {
            SCOPED_TRACE(box->objectName().toStdString());
            EXPECT_EQ(std::floor(box->Value()), today);
        }
    }
}

TEST_F(RecordPagesTest, SummaryAndRangeBoxAreDrawnOverTheDatePanel) {
    for (const RecordPage& t : RecordPages(w())) {
        SCOPED_TRACE(t.page);
        Label* summary = t.page == 1 ? w().标签_充值管理_汇总信息 : w().标签_消费管理_汇总信息;
        // Both overlap the panel's empty upper left.
        EXPECT_TRUE(summary->geometry().intersects(t.panel->geometry()));
        EXPECT_TRUE(t.range->geometry().intersects(t.panel->geometry()));
        // Later siblings are drawn over earlier ones.
        const QObjectList& order = w().选择夹1->Page(t.page)->children();
        EXPECT_GT(order.indexOf(summary), order.indexOf(t.panel));
        EXPECT_GT(order.indexOf(t.range), order.indexOf(t.panel));
        // The spinner lies over the list.
        QWidget* spinner = t.page == 1 ? static_cast<QWidget*>(w().载入条_充值记录)
                                       : static_cast<QWidget*>(w().载入条_消费记录);
        EXPECT_GT(order.indexOf(spinner), order.indexOf(t.list));
    }
}

// Page 2 is page 1 renamed, with these differences.
TEST_F(RecordPagesTest, ConsumptionPageDiffersFromTheRechargePageAsDesigned) {
    EXPECT_EQ(w().编辑框_充值管理_查询类型->geometry(), QRect(304, 35, 64, 24));
    EXPECT_EQ(w().编辑框_消费管理_查询类型->geometry(), QRect(305, 35, 64, 24));
    EXPECT_EQ(w().标签_充值管理_汇总信息->font().pixelSize(), 14);
    EXPECT_EQ(w().标签_消费管理_汇总信息->font().pixelSize(), 15);
    EXPECT_TRUE(w().标签_消费管理_汇总信息->font().bold());
    EXPECT_EQ(w().选择框_充值管理_指定日期->width(), 88);
    EXPECT_EQ(w().选择框_消费管理_指定日期->width(), 85);
    EXPECT_EQ(w().载入条_充值记录->x(), 21);
    EXPECT_EQ(w().载入条_消费记录->x(), 16);
    EXPECT_EQ(w().透明标签20->parent(), w().外形框_消费管理_指定日期);
    EXPECT_EQ(w().透明标签20->Caption(), "—");
    EXPECT_EQ(w().按钮_消费管理_近30天->parent(), w().外形框_消费管理_指定日期);
    EXPECT_EQ(w().按钮_消费管理_近30天->geometry(), QRect(382, 24, 48, 24));
    EXPECT_EQ(w().按钮_消费管理_近30天->Caption(), "近30天");
    EXPECT_EQ(w().外形框_消费管理_指定日期->geometry(), QRect(503, 68, 440, 55));
    EXPECT_EQ(w().超级列表框_会员消费_消费列表->parent(), w().选择夹1->Page(2));
    EXPECT_EQ(w().按钮_消费管理_所有用户->parent(), w().选择夹1->Page(2));
}

TEST_F(RecordPagesTest, QueryButtonsHoverOnePixelRightAndUp) {
    for (int page : {1, 2}) {
        ShowPage(page);
        ImageButton* all = page == 1 ? w().按钮_充值管理_所有用户 : w().按钮_消费管理_所有用户;
        const QImage normal = QImage(":/records/all.png").convertToFormat(QImage::Format_ARGB32);
        Hover(all);
        ASSERT_EQ(all->CurrentFace(), 1);
        const QImage drawn = all->grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const PixelMatch m = MatchOpaquePixels(normal, drawn, QPoint(1, -1), 4, 3);
        ASSERT_GT(m.compared, 50);
        EXPECT_GT(m.equal, m.compared * 95 / 100) << m.equal << " of " << m.compared;
        Unhover(all);
    }
}

}  // namespace
}  // namespace kob::test
