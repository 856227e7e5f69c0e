// Column sort of the three sortable lists on the real window: one direction
// for all lists, the shared arrow column, the orders of the three key kinds.
#include <QHeaderView>
#include <QTest>

#include "members/members.h"
#include "support/report_rows.h"
#include "support/window_fixture.h"
#include "ui/sort.h"

namespace kob::test {
namespace {

class SortTest : public WindowTest {
  protected:
    ReportList& members_list() { return *w().超级列表框_会员管理_会员列表; }
    ReportList& recharges() { return *w().超级列表框_会员充值_充值列表; }
    ReportList& consumption() { return *w().超级列表框_会员消费_消费列表; }

    // Rows whose column `column` holds texts[i] and column 0 its row number.
    static void Fill(ReportList& list, int column, const std::vector<std::string>& texts) {
        list.DeleteAllRows();
        for (size_t i = 0; i < texts.size(); ++i) {
            std::vector<std::string> cells(static_cast<size_t>(list.ColumnCount()));
            cells[static_cast<size_t>(column)] = texts[i];
            if (column != 0) {
                cells[0] = std::to_string(i);
            }
            AddRow(list, cells);
        }
    }
    static std::vector<std::string> Column(const ReportList& list, int column) {
        std::vector<std::string> out;
        for (int r = 0; r < list.RowCount(); ++r) {
            out.push_back(list.Cell(r, column));
        }
        return out;
    }
    static std::vector<int> Images(const ReportList& list) {
        std::vector<int> out;
        for (int c = 0; c < list.ColumnCount(); ++c) {
            out.push_back(list.HeaderImage(c));
        }
        return out;
    }
    void Sort(ReportList& list, int column, int kind) {
        SortListByColumn(program(), list, column, kind);
    }
    int32_t Direction() { return program().ListSortState.direction; }
};

using Texts = std::vector<std::string>;

TEST_F(SortTest, DirectionFlipsOnEverySortWhateverTheList) {
    const Texts numbers = {"2", "3", "1"};
    Fill(recharges(), 4, numbers);
    Fill(consumption(), 5, numbers);
    Fill(members_list(), 3, numbers);
    Sort(recharges(), 4, kSortNumber);
    EXPECT_EQ(Column(recharges(), 4), (Texts{"1", "2", "3"})) << "the first sort is ascending";
    Sort(consumption(), 5, kSortNumber);
    EXPECT_EQ(Column(consumption(), 5), (Texts{"3", "2", "1"}))
        << "the next list sorts the other way";
    Sort(members_list(), 3, kSortNumber);
    EXPECT_EQ(Column(members_list(), 3), (Texts{"1", "2", "3"}));
    Sort(recharges(), 5, kSortNumber);  // another column: descending all the same
    EXPECT_EQ(Column(recharges(), 4), (Texts{"1", "2", "3"})) << "all keys equal: order kept";
    EXPECT_EQ(Direction(), 0);
}

TEST_F(SortTest, ListWithoutRowsOnlyFlipsTheDirection) {
    Fill(recharges(), 4, {"2", "1"});
    recharges().SetHeaderImage(0, -1);
    const auto images = Images(consumption());
    Sort(consumption(), 3, kSortDateTime);  // empty
    EXPECT_EQ(Direction(), 1);
    EXPECT_EQ(program().ListSortState.column, 3);
    EXPECT_EQ(program().ListSortState.kind, kSortDateTime);
    EXPECT_EQ(program().ListSortState.list, &consumption());
    EXPECT_EQ(program().ListSortState.arrow_column, 0);
    EXPECT_EQ(Images(consumption()), images);
    Sort(recharges(), 4, kSortNumber);
    EXPECT_EQ(Column(recharges(), 4), (Texts{"2", "1"})) << "the second sort of the run descends";
}

TEST_F(SortTest, ArrowFollowsTheClicksOnTheRechargeList) {
    Fill(recharges(), 4, {"2", "3", "1"});
    struct Step {
        int column;
        Texts order;  // of column 4
        std::vector<int> images;
    };
    const Step steps[] = {
        {4, {"1", "2", "3"}, {-1, -1, -1, -1, 1, -1, -1, -1, -1, -1}},
        {4, {"3", "2", "1"}, {-1, -1, -1, -1, 0, -1, -1, -1, -1, -1}},
        {4, {"1", "2", "3"}, {-1, -1, -1, -1, 1, -1, -1, -1, -1, -1}},
        // column 6 is empty everywhere: the rows keep their order
        {6, {"1", "2", "3"}, {-1, -1, -1, -1, -1, -1, 1, -1, -1, -1}},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.column);
        Sort(recharges(), s.column, kSortNumber);
        EXPECT_EQ(Column(recharges(), 4), s.order);
        EXPECT_EQ(Images(recharges()), s.images);
    }
    EXPECT_EQ(Direction(), 0) << "the click on column 6 sorted descending";
    EXPECT_EQ(program().ListSortState.arrow_column, 6);
}

TEST_F(SortTest, FirstSortOnTheArrowColumnShowsTheUpArrow) {
    Fill(members_list(), 0, {"3", "1", "2"});
    members_list().on_column_click(0);
    EXPECT_EQ(Column(members_list(), 0), (Texts{"1", "2", "3"}));
    EXPECT_EQ(members_list().HeaderImage(0), 0);
}

TEST_F(SortTest, ArrowColumnIsSharedByTheLists) {
    Fill(recharges(), 9, {"b", "a"});
    Fill(members_list(), 2, {"2", "1"});
    Sort(recharges(), 9, kSortText);  // the recharge list's tenth column
    EXPECT_EQ(recharges().HeaderImage(9), 1);
    consumption().SetHeaderImage(2, 0);
    Fill(consumption(), 2, {"x", "y"});
    // Column 9 lies beyond the member list: it counts as showing no image.
    members_list().on_column_click(2);
    EXPECT_EQ(Column(members_list(), 2), (Texts{"2", "1"}));
    EXPECT_EQ(Images(members_list()), (std::vector<int>{-1, -1, 1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(recharges().HeaderImage(9), 1) << "another list keeps its image";
    // Now column 2 of the consumption list is the arrow column, showing 0.
    Sort(consumption(), 2, kSortText);
    EXPECT_EQ(consumption().HeaderImage(2), 1);
}

TEST_F(SortTest, KeyKindOrders) {
    struct Case {
        const char* name;
        int kind;
        Texts cells;
        Texts ascending;
    };
    const Case cases[] = {
        {"text: empty first", kSortText, {"b", "", "a"}, {"", "a", "b"}},
        {"text: digits as text", kSortText, {"20", "100"}, {"100", "20"}},
        {"text: pinyin order", kSortText, {"张", "王", "李"}, {"李", "王", "张"}},
        {"text: lower case first", kSortText, {"B", "b", "a", "A"}, {"a", "A", "b", "B"}},
        {"number: empty is 0", kSortNumber, {"5", "", "-3"}, {"-3", "", "5"}},
        {"number: by value", kSortNumber, {"100", "20"}, {"20", "100"}},
        {"number: fraction cut off", kSortNumber, {"2.9", "2", "1.5"}, {"1.5", "2.9", "2"}},
        {"date-time",
         kSortDateTime,
         {"2024-03-05 10:00:00", "2024-03-05 09:00:00", "2024-03-04 23:59:59"},
         {"2024-03-04 23:59:59", "2024-03-05 09:00:00", "2024-03-05 10:00:00"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        program().ListSortState.direction = 0;  // the next sort ascends
        Fill(recharges(), 3, c.cells);
        Sort(recharges(), 3, c.kind);
        EXPECT_EQ(Column(recharges(), 3), c.ascending);
        Sort(recharges(), 3, c.kind);
        Texts descending(c.ascending.rbegin(), c.ascending.rend());
        if (std::string(c.name) != "number: fraction cut off") {
            EXPECT_EQ(Column(recharges(), 3), descending);
        }
    }
}

TEST_F(SortTest, EqualKeysKeepTheirOrder) {
    Fill(consumption(), 3, {"2024-03-05 09:00:00", "2024-03-04 08:00:00", "2024-03-05 09:00:00"});
    Sort(consumption(), 3, kSortDateTime);
    EXPECT_EQ(Column(consumption(), 0), (Texts{"1", "0", "2"}));
}

TEST_F(SortTest, SelectedRowMovesWithItsRow) {
    Fill(members_list(), 3, {"3", "1", "2"});
    members_list().SetSelectedRow(0);  // the row with 3
    members_list().on_column_click(3);
    EXPECT_EQ(members_list().Cell(members_list().SelectedRow(), 3), "3");
}

TEST_F(SortTest, MemberListHeaderClickKindsAndRefreshingFlag) {
    // Columns 1 and 2 as text, every other column as a number.
    Fill(members_list(), 1, {"20", "100"});
    program().LoggedIn = 1;
    w().选择夹1->SetCurrentPage(0);  // the list must be on screen to be clicked
    QHeaderView* header = members_list().horizontalHeader();
    const int x = header->sectionViewportPosition(1) + header->sectionSize(1) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(x, header->height() / 2));
    EXPECT_EQ(Column(members_list(), 1), (Texts{"100", "20"}));
    EXPECT_EQ(program().ListSortState.kind, kSortText);
    Fill(members_list(), 8, {"20", "-5", "100"});
    program().ListSortState.direction = 0;
    members_list().on_column_click(8);
    EXPECT_EQ(Column(members_list(), 8), (Texts{"-5", "20", "100"}));
    EXPECT_EQ(program().ListSortState.kind, kSortNumber);

    // While the totals are computed a click does not sort, nor flip.
    program().MemberListRefreshing = 1;
    members_list().on_column_click(8);
    EXPECT_EQ(Column(members_list(), 8), (Texts{"-5", "20", "100"}));
    EXPECT_EQ(Direction(), 1);
    program().MemberListRefreshing = 0;
    members_list().on_column_click(8);
    EXPECT_EQ(Column(members_list(), 8), (Texts{"100", "20", "-5"}));
}

}  // namespace
}  // namespace kob::test
