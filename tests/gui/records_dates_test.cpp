// The date filter of the record pages: the six presets, the 指定日期 check
// box and the date boxes, against the real server.
#include "record_pages.h"
#include "records_fixture.h"

namespace kob::test {
namespace {

class RecordDatesTest : public RecordsTest {
  protected:
    std::vector<RecordPage> Pages() { return RecordPages(w()); }
    // Left button down (and up) on a preset, as the operator does it.
    static void Press(ColourButton* preset) {
        PressLeft(preset);
        ReleaseLeft(preset);
    }
    void Open(const RecordPage& p) {
        program().LoggedIn = 1;
        w().选择夹1->SetCurrentPage(p.page);
        if (!p.range->Ticked()) {
            Click(p.range);
        }
    }
};

TEST_F(RecordDatesTest, PresetsSetTheDayRange) {
    enum { kToday, kYesterday, k7Days, kThisMonth, kLastMonth, k30Days };
    struct Case {
        double now;
        int preset;
        std::string start;
        std::string end;
    };
    const std::vector<Case> cases = {
        {At(2024, 5, 17, 14, 5, 9), kToday, "2024-05-17", "2024-05-17"},
        {At(2024, 3, 1, 9), kYesterday, "2024-02-29", "2024-02-29"},
        {At(2023, 3, 1, 9), kYesterday, "2023-02-28", "2023-02-28"},
        {At(2025, 1, 1, 0, 0, 1), kYesterday, "2024-12-31", "2024-12-31"},
        // Eight calendar days, and thirty-one.
        {At(2024, 3, 3, 8), k7Days, "2024-02-25", "2024-03-03"},
        {At(2024, 1, 4, 8), k7Days, "2023-12-28", "2024-01-04"},
        {At(2024, 3, 15, 8), k30Days, "2024-02-14", "2024-03-15"},
        {At(2023, 3, 15, 8), k30Days, "2023-02-13", "2023-03-15"},
        {At(2023, 12, 1), kThisMonth, "2023-12-01", "2023-12-31"},
        {At(2023, 12, 31, 23, 59, 59), kThisMonth, "2023-12-01", "2023-12-31"},
        {At(2024, 2, 10), kThisMonth, "2024-02-01", "2024-02-29"},
        {At(2023, 2, 10), kThisMonth, "2023-02-01", "2023-02-28"},
        {At(2000, 2, 29), kThisMonth, "2000-02-01", "2000-02-29"},
        {At(2100, 2, 1), kThisMonth, "2100-02-01", "2100-02-28"},
        {At(2024, 4, 30), kThisMonth, "2024-04-01", "2024-04-30"},
        {At(2024, 1, 1), kLastMonth, "2023-12-01", "2023-12-31"},
        {At(2024, 1, 31, 23), kLastMonth, "2023-12-01", "2023-12-31"},
        {At(2023, 3, 31), kLastMonth, "2023-02-01", "2023-02-28"},
        {At(2024, 3, 31), kLastMonth, "2024-02-01", "2024-02-29"},
        {At(2024, 7, 15), kLastMonth, "2024-06-01", "2024-06-30"},
    };
    for (const RecordPage& p : Pages()) {
        Open(p);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(p.page) + " " + Day(c.now) + " preset " +
                         std::to_string(c.preset));
            harness().clock.SetNow(c.now);
            Press(p.presets[static_cast<size_t>(c.preset)]);
            EXPECT_EQ(Day(p.start->Value()), c.start);
            EXPECT_EQ(Day(p.end->Value()), c.end);
            // Day arithmetic keeps the time of day; the month presets write midnight.
            const bool month = c.preset == kThisMonth || c.preset == kLastMonth;
            const std::string time = month ? "00:00:00" : Time(c.now);
            EXPECT_EQ(Time(p.start->Value()), time);
            EXPECT_EQ(Time(p.end->Value()), time);
        }
    }
}

TEST_F(RecordDatesTest, MonthBoundsOfADate) {
    struct Case {
        double date;
        std::string first, last, previous_first, previous_last;
    };
    const std::vector<Case> cases = {
        {At(2024, 2, 29, 18), "2024/02/01", "2024/02/29", "2024/01/01", "2024/01/31"},
        {At(2024, 1, 9), "2024/01/01", "2024/01/31", "2023/12/01", "2023/12/31"},
        {At(2023, 12, 31), "2023/12/01", "2023/12/31", "2023/11/01", "2023/11/30"},
        {At(2023, 3, 31), "2023/03/01", "2023/03/31", "2023/02/01", "2023/02/28"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Day(c.date));
        EXPECT_EQ(FormatFirstDayOfMonth(c.date), c.first);
        EXPECT_EQ(FormatLastDayOfMonth(c.date), c.last);
        EXPECT_EQ(FormatFirstDayOfPreviousMonth(c.date), c.previous_first);
        EXPECT_EQ(FormatLastDayOfPreviousMonth(c.date), c.previous_last);
    }
}

TEST_F(RecordDatesTest, EachPresetRerunsTheQueryOnceWithBothNewDates) {
    LogIn();
    harness().clock.SetNow(At(2024, 3, 15, 10));
    for (const RecordPage& p : Pages()) {
        SCOPED_TRACE(p.page);
        Open(p);
        Click(p.all);
        const std::string time = p.page == 1 ? "`pay_time`" : "`cost_date`";
        const std::string head = "SELECT * FROM `kobrelan`.`" + p.table + "` WHERE `" +
                                 (p.page == 1 ? "pay_del" : "cost_del") + "` <> 1 AND " + time +
                                 " > '";
        const std::vector<std::pair<std::string, std::string>> expected = {
            {"2024-03-15", "2024-03-15"}, {"2024-03-14", "2024-03-14"},
            {"2024-03-08", "2024-03-15"}, {"2024-03-01", "2024-03-31"},
            {"2024-02-01", "2024-02-29"}, {"2024-02-14", "2024-03-15"},
        };
        for (size_t i = 0; i < p.presets.size(); ++i) {
            statements_.clear();
            Press(p.presets[i]);
            EXPECT_EQ(statements_,
                      std::vector<std::string>{head + expected[i].first + " 00:00:00' AND " + time +
                                               " < '" + expected[i].second + " 23:59:59'"});
        }
    }
}

TEST_F(RecordDatesTest, PresetBeforeAnyQueryOnlyFillsTheBoxes) {
    AddPay({.time = "2024-03-14 10:00:00"});
    AddPay({.time = "2024-03-15 10:00:00"});
    AddCostRow({.date = "2024-03-14 10:00:00"});
    AddCostRow({.date = "2024-03-15 10:00:00"});
    LogIn();
    harness().clock.SetNow(At(2024, 3, 15, 10));
    for (const RecordPage& p : Pages()) {
        SCOPED_TRACE(p.page);
        statements_.clear();
        Open(p);
        Press(p.presets[1]);  // 昨天
        p.start->SetValue(At(2024, 3, 13));
        p.start->SetValue(At(2024, 3, 14));
        Click(p.range);
        Click(p.range);
        EXPECT_TRUE(statements_.empty()) << "no query has run on this page yet";
        EXPECT_EQ(p.list->RowCount(), 0);
        Click(p.all);
        EXPECT_EQ(Ids(*p.list), std::vector<std::string>{"1"}) << "the preset's day";
    }
}

TEST_F(RecordDatesTest, UntickingListsEverythingAndTickingTheRangeAgain) {
    AddPay({.time = "2024-03-01 10:00:00"});
    AddPay({.time = "2024-03-10 10:00:00"});
    AddPay({.time = "2024-03-15 10:00:00"});
    AddCostRow({.date = "2024-03-01 10:00:00"});
    AddCostRow({.date = "2024-03-10 10:00:00"});
    AddCostRow({.date = "2024-03-15 10:00:00"});
    LogIn();
    harness().clock.SetNow(At(2024, 3, 15, 10));
    for (const RecordPage& p : Pages()) {
        SCOPED_TRACE(p.page);
        Open(p);
        Press(p.presets[2]);  // 近7天
        Click(p.all);
        EXPECT_EQ(Ids(*p.list), (std::vector<std::string>{"2", "3"}));
        Click(p.range);
        EXPECT_FALSE(p.range->Ticked());
        EXPECT_TRUE(p.panel->isHidden());
        EXPECT_EQ(Ids(*p.list), (std::vector<std::string>{"1", "2", "3"}));
        Click(p.range);
        EXPECT_TRUE(p.range->Ticked());
        EXPECT_FALSE(p.panel->isHidden());
        EXPECT_EQ(Ids(*p.list), (std::vector<std::string>{"2", "3"})) << "the dates kept";
        EXPECT_EQ(Day(p.start->Value()), "2024-03-08");
    }
}

TEST_F(RecordDatesTest, ADateChangedByHandRerunsAtOnce) {
    AddPay({.time = "2024-03-10 10:00:00"});
    AddCostRow({.date = "2024-03-10 10:00:00"});
    LogIn();
    for (const RecordPage& p : Pages()) {
        SCOPED_TRACE(p.page);
        Open(p);
        p.start->SetValue(At(2024, 3, 1));
        p.end->SetValue(At(2024, 3, 5));
        Click(p.all);
        EXPECT_EQ(p.list->RowCount(), 0);
        statements_.clear();
        // The operator picks another end day: one rerun.
        p.end->setFocus();
        p.end->setSelectedSection(QDateTimeEdit::DaySection);
        for (int i = 0; i < 10; ++i) {
            PressKey(p.end, Qt::Key_Up);
        }
        EXPECT_EQ(Day(p.end->Value()), "2024-03-15");
        EXPECT_EQ(statements_.size(), 10u);
        EXPECT_EQ(Ids(*p.list), std::vector<std::string>{"1"});
    }
}

TEST_F(RecordDatesTest, PagesFilterIndependently) {
    AddPay({.time = "2024-03-10 10:00:00"});
    AddCostRow({.date = "2024-03-10 10:00:00"});
    LogIn();
    harness().clock.SetNow(At(2024, 3, 15, 10));
    const std::vector<RecordPage> pages = Pages();
    for (const RecordPage& p : pages) {
        Open(p);
        Click(p.all);
    }
    for (size_t i = 0; i < pages.size(); ++i) {
        const RecordPage& p = pages[i];
        const RecordPage& other = pages[1 - i];
        SCOPED_TRACE(p.page);
        w().选择夹1->SetCurrentPage(p.page);
        const double other_start = other.start->Value();
        const double other_end = other.end->Value();
        const std::vector<std::string> other_ids = Ids(*other.list);
        statements_.clear();
        Press(p.presets[0]);
        p.start->SetValue(At(2024, 1, 1));
        Click(p.range);
        EXPECT_EQ(statements_.size(), 3u);
        for (const std::string& sql : statements_) {
            EXPECT_NE(sql.find(p.table), std::string::npos) << sql;
        }
        EXPECT_EQ(other.start->Value(), other_start);
        EXPECT_EQ(other.end->Value(), other_end);
        EXPECT_EQ(Ids(*other.list), other_ids);
        EXPECT_TRUE(other.range->Ticked());
        Click(p.range);  // ticked again for the other page's turn
    }
}

}  // namespace
}  // namespace kob::test
