// The record pages' side buttons, queries, loading and summary lines,
// against the real server.
#include "records_fixture.h"
#include "support/report_rows.h"

namespace kob::test {
namespace {

const std::string B = std::string(20, ' ') + "\r\n";  // the 备注 separator

class RecordQueriesTest : public RecordsTest {
  protected:
    void SetUp() override {
        RecordsTest::SetUp();
        AddMember(1, "Tom");
        AddMember(12, "李四");
    }
    // The page's day range, set while nothing reruns (before the first query).
    void SetRange(DateBox* start, DateBox* end, double from, double to) {
        start->SetValue(from);
        end->SetValue(to);
    }
};

TEST_F(RecordQueriesTest, SideButtonsDoNothingBeforeTheLogin) {
    AddPay({});
    AddRow(recharges(), {"keep"});
    AddRow(consumption(), {"keep"});
    Click(w().按钮_会员充值);
    Click(w().按钮_会员消费);
    EXPECT_EQ(w().选择夹1->CurrentPage(), 3);
    EXPECT_EQ(Ids(recharges()), std::vector<std::string>{"keep"});
    EXPECT_EQ(Ids(consumption()), std::vector<std::string>{"keep"});
    EXPECT_TRUE(statements_.empty());
}

TEST_F(RecordQueriesTest, AllMembersQueryListsTheRecordsBehindTheSpinner) {
    AddPay({.user_id = 1});
    AddPay({.del = 1});
    AddPay({.user_id = 12, .user_name = "李四"});
    AddCostRow({});
    AddCostRow({.del = 1});
    LogIn();
    struct Case {
        ImageButton* side;
        ImageButton* all;
        ReportList* list;
        PictureBox* spinner;
        EditBox* type;
        int page;
        std::string sql;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        {w().按钮_会员充值,
         w().按钮_充值管理_所有用户,
         &recharges(),
         w().载入条_充值记录,
         w().编辑框_充值管理_查询类型,
         1,
         "SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1",
         {"1", "3"}},
        {w().按钮_会员消费,
         w().按钮_消费管理_所有用户,
         &consumption(),
         w().载入条_消费记录,
         w().编辑框_消费管理_查询类型,
         2,
         "SELECT * FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1",
         {"1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        Click(c.side);
        EXPECT_EQ(w().选择夹1->CurrentPage(), c.page);
        EXPECT_EQ(c.type->Text(), "") << "the side button alone sets no query type";
        statements_.clear();
        bool list_hidden = false;
        bool spinner_shown = false;
        uint32_t paused_ms = 0;
        const uint32_t tick_before = harness().clock.TickCount();
        records().on_statement = [&](const std::string& sql) {
            statements_.push_back(sql);
            list_hidden = c.list->isHidden();
            spinner_shown = c.spinner->Visible();
            paused_ms = harness().clock.TickCount() - tick_before;
        };
        Click(c.all);
        EXPECT_EQ(statements_, std::vector<std::string>{c.sql});
        EXPECT_TRUE(list_hidden);
        EXPECT_TRUE(spinner_shown);
        EXPECT_EQ(paused_ms, 200u) << "the spinner shows 200 ms before the query";
        EXPECT_FALSE(c.list->isHidden());
        EXPECT_FALSE(c.spinner->Visible());
        EXPECT_EQ(c.type->Text(), "所有用户");
        EXPECT_EQ(Ids(*c.list), c.ids);
    }
}

TEST_F(RecordQueriesTest, StatementsAreBuiltFromTheirFragments) {
    LogIn();
    const double from = At(2024, 5, 1, 15, 30);
    const double to = At(2024, 5, 17, 8);
    SetRange(w().日期框_充值管理_开始日期, w().日期框_充值管理_结束日期, from, to);
    SetRange(w().日期框_消费管理_开始日期, w().日期框_消费管理_结束日期, from, to);
    struct Case {
        bool recharge;
        bool member;
        bool range;
        bool newest;
        std::string sql;
    };
    const std::vector<Case> cases = {
        {true, false, false, false, "SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1"},
        {true, true, false, false,
         "SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1 AND `user_id` =12"},
        {true, false, true, false,
         "SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1 AND `pay_time` > '2024-05-01 "
         "00:00:00' AND `pay_time` < '2024-05-17 23:59:59'"},
        {true, true, true, true,
         "SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1 AND `user_id` =12 AND "
         "`pay_time` > '2024-05-01 00:00:00' AND `pay_time` < '2024-05-17 23:59:59' ORDER BY "
         "`pay_id` DESC"},
        {false, false, false, true,
         "SELECT * FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1 ORDER BY `cost_id` DESC"},
        {false, true, false, false,
         "SELECT * FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1 AND `user_id` =12"},
        {false, true, true, true,
         "SELECT * FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1 AND `user_id` =12 AND "
         "`cost_date` > '2024-05-01 00:00:00' AND `cost_date` < '2024-05-17 23:59:59' ORDER BY "
         "`cost_id` DESC"},
    };
    SelectMember("12");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sql);
        w().选择框_新纪录在最前->SetTicked(c.newest);
        (c.recharge ? w().选择框_充值管理_指定日期 : w().选择框_消费管理_指定日期)
            ->SetTicked(c.range);
        statements_.clear();
        if (c.recharge) {
            c.member ? records().QueryMemberRecharges() : records().QueryAllRecharges();
        } else {
            c.member ? records().QueryMemberConsumption() : records().QueryAllConsumption();
        }
        EXPECT_EQ(statements_, std::vector<std::string>{c.sql});
    }
}

TEST_F(RecordQueriesTest, RechargeRowsAndSummary) {
    struct Case {
        PayRow row;
        std::vector<std::string> cells;  // columns 1 to 9
    };
    const std::vector<Case> cases = {
        {{.money = "100", .give = "20", .total = "120", .notes = "首充"},
         {"1", "Tom", "2024-05-01 10:00:00", "100", "20", "120", "现金", "首充", "[7]老板"}},
        {{.money = "50", .give = "0", .total = "50"},
         {"1", "Tom", "2024-05-01 10:00:00", "50", "", "50", "现金", "", "[7]老板"}},
        {{.money = "30", .give = "", .total = "30", .boss_id = ""},
         {"1", "Tom", "2024-05-01 10:00:00", "30", "", "30", "现金", "", "[]老板"}},
        // Amounts that are not plain numbers are shown as stored and summed
        // by their leading digits.
        {{.money = "12.7", .give = "0.5", .total = "abc", .method = "微信"},
         {"1", "Tom", "2024-05-01 10:00:00", "12.7", "", "abc", "微信", "", "[7]老板"}},
    };
    for (const Case& c : cases) {
        AddPay(c.row);
    }
    LogIn();
    records().QueryAllRecharges();
    ASSERT_EQ(recharges().RowCount(), static_cast<int>(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        std::vector<std::string> expected = {IntText(static_cast<int64_t>(i) + 1)};
        expected.insert(expected.end(), cases[i].cells.begin(), cases[i].cells.end());
        EXPECT_EQ(Cells(recharges(), static_cast<int>(i)), expected);
    }
    EXPECT_EQ(RechargeSummary(), "充值4次，实付192元，赠送20元，合计200元");
}

TEST_F(RecordQueriesTest, ConsumptionRowsComposeTheirNotes) {
    struct Case {
        CostRow row;
        std::string item;
        std::string notes;
        std::string op;
    };
    const std::vector<Case> cases = {
        {{.notes = "", .xm_id = "3", .xm_name = "足疗"}, "足疗", "1个项目" + B, "[7]老板"},
        {{.notes = "加钟", .xm_id = "3", .xm_name = "0个项目"},
         "",
         "1个项目" + B + "加钟",
         "[7]老板"},
        {{.notes = "", .xm_id = "", .xm_name = "0个项目"}, "", "", "[7]老板"},
        {{.notes = "只有备注", .xm_id = "", .xm_name = "0个项目"}, "", "只有备注", "[7]老板"},
        {{.notes = "", .xm_id = "", .xm_name = "2个项目"}, "2个项目", "2个项目", "[7]老板"},
        {{.notes = "足疗*1\r\n推拿*1", .xm_id = "", .xm_name = "2个项目"},
         "2个项目",
         "2个项目" + B + "足疗*1\r\n推拿*1",
         "[7]老板"},
        {{.notes = "x", .xm_id = "", .xm_name = "", .boss_id = "", .boss_name = "某人"},
         "",
         "x",
         ""},
    };
    for (const Case& c : cases) {
        AddCostRow(c.row);
    }
    LogIn();
    records().QueryAllConsumption();
    ASSERT_EQ(consumption().RowCount(), static_cast<int>(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        const int r = static_cast<int>(i);
        EXPECT_EQ(consumption().Cell(r, 1), "1");
        EXPECT_EQ(consumption().Cell(r, 2), "Tom");
        EXPECT_EQ(consumption().Cell(r, 3), "2024-05-02 10:00:00");
        EXPECT_EQ(consumption().Cell(r, 4), cases[i].item);
        EXPECT_EQ(consumption().Cell(r, 5), "50");
        EXPECT_EQ(consumption().Cell(r, 6), "50");
        EXPECT_EQ(consumption().Cell(r, 7), cases[i].notes);
        EXPECT_EQ(consumption().Cell(r, 8), cases[i].op);
    }
    EXPECT_EQ(ConsumptionSummary(), "消费总计7次，合计总额350元");
}

// Loads large enough to be converted by several threads, batch after batch:
// every cell as the column tables make it from the stored row, Chinese,
// empty and composed cells included, and the sums of every row.
TEST_F(RecordQueriesTest, LargeThreadedLoadsShowEveryStoredRowCellForCell) {
    constexpr int kRows = 60000;
    const std::string seq = " FROM seq_1_to_" + std::to_string(kRows);
    Exec(
        "INSERT INTO `paylist`(`pay_time`,`pay_money`,`pay_give`,`pay_total`,`pay_method`,"
        "`pay_notes`,`pay_del`,`user_id`,`user_name`,`boss_id`,`boss_name`) SELECT "
        "'2024-01-01' + INTERVAL seq MINUTE,seq%300,ELT(1+seq%4,'0','','5','0.5'),seq%300+5,"
        "ELT(1+seq%3,'微信','现金',''),IF(seq%2=0,'',CONCAT('第',seq,'次充值')),IF(seq%97=0,1,0),"
        "seq%50,ELT(1+seq%5,'张三','李四','','Tom','喆'),IF(seq%7=0,'',seq%9),"
        "ELT(1+seq%3,'老板','','店长')" +
        seq);
    Exec(
        "INSERT INTO `costlist`(`cost_notes`,`cost_money`,`cost_del`,`cost_date`,`xm_id`,"
        "`xm_name`,`xm_money`,`user_id`,`user_name`,`boss_id`,`boss_name`) SELECT "
        "ELT(1+seq%3,'','加钟','足疗*1\\r\\n推拿*1'),seq%90,IF(seq%89=0,1,0),"
        "'2024-02-01' + INTERVAL seq MINUTE,IF(seq%4=0,seq%12,''),"
        "ELT(1+seq%5,'足疗','0个项目','','2个项目','修脚'),seq%90,seq%50,"
        "ELT(1+seq%4,'张三','','Tom','王小明'),IF(seq%6=0,'',seq%9),ELT(1+seq%2,'老板','')" +
        seq);
    LogIn();
    w().选择框_新纪录在最前->SetTicked(true);
    records().QueryAllRecharges();
    records().QueryAllConsumption();

    int64_t paid = 0;
    int64_t bonus = 0;
    int64_t total = 0;
    const auto pays = Rows(
        "SELECT `pay_id`,`user_id`,`user_name`,`pay_time`,`pay_money`,`pay_give`,`pay_total`,"
        "`pay_method`,`pay_notes`,`boss_id`,`boss_name` FROM `paylist` WHERE `pay_del` <> 1 "
        "ORDER BY `pay_id` DESC");
    ASSERT_EQ(recharges().RowCount(), static_cast<int>(pays.size()));
    for (size_t i = 0; i < pays.size(); ++i) {
        const auto& f = pays[i];
        const std::string give = ToInt32(f[5]) == 0 ? "" : f[5];
        const std::vector<std::string> expected = {
            f[0], f[1], f[2], f[3], f[4], give, f[6], f[7], f[8], "[" + f[9] + "]" + f[10]};
        ASSERT_EQ(Cells(recharges(), static_cast<int>(i)), expected) << i;
        paid += ToInt32(f[4]);
        bonus += ToInt32(give);
        total += ToInt32(f[6]);
    }
    EXPECT_EQ(RechargeSummary(), "充值" + IntText(static_cast<int64_t>(pays.size())) + "次，实付" +
                                     IntText(paid) + "元，赠送" + IntText(bonus) + "元，合计" +
                                     IntText(total) + "元");

    int64_t money = 0;
    const auto costs = Rows(
        "SELECT `cost_id`,`user_id`,`user_name`,`cost_date`,`xm_name`,`xm_money`,`cost_money`,"
        "`xm_id`,`cost_notes`,`boss_id`,`boss_name` FROM `costlist` WHERE `cost_del` <> 1 "
        "ORDER BY `cost_id` DESC");
    ASSERT_EQ(consumption().RowCount(), static_cast<int>(costs.size()));
    for (size_t i = 0; i < costs.size(); ++i) {
        const auto& f = costs[i];
        const std::string item = f[4] == "0个项目" ? "" : f[4];
        std::string notes;
        if (!f[7].empty()) {
            notes = "1个项目" + B + f[8];
        } else if (!item.empty() && !f[8].empty()) {
            notes = item + B + f[8];
        } else {
            notes = item + f[8];
        }
        const std::vector<std::string> expected = {
            f[0], f[1],  f[2],
            f[3], item,  f[5],
            f[6], notes, f[9].empty() ? "" : "[" + f[9] + "]" + f[10]};
        ASSERT_EQ(Cells(consumption(), static_cast<int>(i)), expected) << i;
        money += ToInt32(f[6]);
    }
    EXPECT_EQ(ConsumptionSummary(), "消费总计" + IntText(static_cast<int64_t>(costs.size())) +
                                        "次，合计总额" + IntText(money) + "元");
}

TEST_F(RecordQueriesTest, SumsStopAtTheIntegerLimits) {
    AddPay({.money = "2000000000", .give = "2000000000", .total = "-2000000000"});
    AddPay({.money = "2000000000", .give = "1", .total = "-2000000000"});
    AddCostRow({.money = "2147483647"});
    AddCostRow({.money = "5"});
    LogIn();
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    EXPECT_EQ(RechargeSummary(), "充值2次，实付2147483647元，赠送2000000001元，合计-2147483648元");
    EXPECT_EQ(ConsumptionSummary(), "消费总计2次，合计总额2147483647元");
}

// Summary lines at the largest sums show whole, the labels keep their
// places and sizes.
TEST_F(RecordQueriesTest, SummaryLinesShowWholeAtTheLargestSums) {
    for (int i = 0; i < 3; ++i) {
        AddPay({.money = "-999999999", .give = "-999999999", .total = "-999999999"});
        AddCostRow({.money = "-999999999"});
    }
    LogIn();
    const QRect recharge_place = w().标签_充值管理_汇总信息->geometry();
    const QRect consumption_place = w().标签_消费管理_汇总信息->geometry();
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    EXPECT_EQ(RechargeSummary(),
              "充值3次，实付-2147483648元，赠送-2147483648元，合计-2147483648元");
    EXPECT_EQ(ConsumptionSummary(), "消费总计3次，合计总额-2147483648元");
    EXPECT_LE(TextOverflow(w().标签_充值管理_汇总信息), 0);
    EXPECT_LE(TextOverflow(w().标签_消费管理_汇总信息), 0);
    EXPECT_EQ(w().标签_充值管理_汇总信息->geometry(), recharge_place);
    EXPECT_EQ(w().标签_消费管理_汇总信息->geometry(), consumption_place);
}

TEST_F(RecordQueriesTest, FailedLoadsAreToldAndEmptyLoadsSumUpToZero) {
    AddPay({});
    AddCostRow({});
    LogIn();
    const std::string recharge_zero = "充值0次，实付0元，赠送0元，合计0元";
    const std::string consumption_zero = "消费总计0次，合计总额0元";
    // A statement the server refuses: told, and no zeros shown as if read.
    ASSERT_TRUE(Exec("RENAME TABLE `paylist` TO `paylist_away`, `costlist` TO `costlist_away`"));
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    EXPECT_TRUE(Exec("RENAME TABLE `paylist_away` TO `paylist`, `costlist_away` TO `costlist`"));
    EXPECT_EQ(RechargeSummary(), "");
    EXPECT_EQ(ConsumptionSummary(), "");
    ASSERT_EQ(harness().dialogs.Asked().size(), 2u);
    for (const auto& asked : harness().dialogs.Asked()) {
        EXPECT_EQ(asked.text, "网络异常，未能读取数据，请稍后重试");
    }
    EXPECT_FALSE(recharges().isHidden());
    EXPECT_FALSE(w().载入条_充值记录->Visible());
    EXPECT_FALSE(consumption().isHidden());
    EXPECT_FALSE(w().载入条_消费记录->Visible());
    EXPECT_EQ(recharges().RowCount(), 0);
    // An empty result.
    SelectMember("12");
    records().QueryMemberRecharges();
    records().QueryMemberConsumption();
    EXPECT_EQ(RechargeSummary(), recharge_zero);
    EXPECT_EQ(ConsumptionSummary(), consumption_zero);
    // A card number that cannot stand bare in a statement is not sent.
    list().SetCell(list().SelectedRow(), kMemberCard, "1 OR 1=1");
    members().RefreshCurrentMemberBox();
    ASSERT_EQ(w().编辑框_全局_卡号->Text(), "1 OR 1=1");
    statements_.clear();
    records().QueryMemberRecharges();
    records().QueryMemberConsumption();
    EXPECT_TRUE(statements_.empty());
    EXPECT_EQ(recharges().RowCount(), 0);
    EXPECT_EQ(RechargeSummary(), recharge_zero);
    EXPECT_EQ(ConsumptionSummary(), consumption_zero);
}

TEST_F(RecordQueriesTest, NewestFirstOrderTakesEffectAtTheNextLoad) {
    for (int i = 0; i < 3; ++i) {
        AddPay({});
        AddCostRow({});
    }
    LogIn();
    const std::vector<std::string> ascending = {"1", "2", "3"};
    const std::vector<std::string> descending = {"3", "2", "1"};
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    EXPECT_EQ(Ids(recharges()), ascending);
    EXPECT_EQ(Ids(consumption()), ascending);
    w().选择框_新纪录在最前->SetTicked(true);
    EXPECT_EQ(Ids(recharges()), ascending) << "the listed rows stay as they are";
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    EXPECT_EQ(Ids(recharges()), descending);
    EXPECT_EQ(Ids(consumption()), descending);
    w().选择框_新纪录在最前->SetTicked(false);
    EXPECT_EQ(Ids(consumption()), descending);
    records().QueryAllConsumption();
    EXPECT_EQ(Ids(consumption()), ascending);
}

TEST_F(RecordQueriesTest, DayRangeExcludesBothEndStamps) {
    const std::vector<std::string> stamps = {
        "2024-02-28 23:59:59", "2024-02-29 00:00:00", "2024-02-29 00:00:01", "2024-02-29 12:00:00",
        "2024-02-29 23:59:58", "2024-02-29 23:59:59", "2024-03-01 00:00:00"};
    for (const std::string& t : stamps) {
        AddPay({.time = t});
        AddCostRow({.date = t});
    }
    LogIn();
    struct Case {
        double from;
        double to;
        bool ticked;
        std::vector<std::string> ids;
    };
    const std::vector<Case> cases = {
        // The time of day in the boxes plays no part.
        {At(2024, 2, 29, 13), At(2024, 2, 29, 1), true, {"3", "4", "5"}},
        {At(2024, 2, 28), At(2024, 2, 29, 23, 59, 59), true, {"1", "2", "3", "4", "5"}},
        {At(2024, 2, 29), At(2024, 3, 1), true, {"3", "4", "5", "6", "7"}},
        {At(2024, 3, 1), At(2024, 2, 29), true, {}},
        // Unticked: whatever the boxes hold.
        {At(2030, 1, 1), At(2030, 1, 1), false, {"1", "2", "3", "4", "5", "6", "7"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Day(c.from) + " .. " + Day(c.to));
        for (bool recharge : {true, false}) {
            w().选择框_充值管理_指定日期->SetTicked(c.ticked);
            w().选择框_消费管理_指定日期->SetTicked(c.ticked);
            SetRange(w().日期框_充值管理_开始日期, w().日期框_充值管理_结束日期, c.from, c.to);
            SetRange(w().日期框_消费管理_开始日期, w().日期框_消费管理_结束日期, c.from, c.to);
            if (recharge) {
                records().QueryAllRecharges();
                EXPECT_EQ(Ids(recharges()), c.ids);
            } else {
                records().QueryAllConsumption();
                EXPECT_EQ(Ids(consumption()), c.ids);
            }
        }
    }
}

TEST_F(RecordQueriesTest, SideButtonRunsTheCurrentMemberQueryWhileAMemberIsSelected) {
    AddPay({.user_id = 1});
    AddPay({.user_id = 12, .user_name = "李四"});
    AddCostRow({.user_id = 12, .user_name = "李四"});
    AddCostRow({.user_id = 1});
    LogIn();
    SelectMember("12");
    Click(w().按钮_会员充值);
    EXPECT_EQ(w().选择夹1->CurrentPage(), 1);
    EXPECT_EQ(w().编辑框_充值管理_查询类型->Text(), "当前用户");
    EXPECT_EQ(Ids(recharges()), std::vector<std::string>{"2"});
    EXPECT_EQ(RechargeSummary(), "充值1次，实付100元，赠送0元，合计100元");
    EXPECT_FALSE(recharges().isHidden());
    Click(w().按钮_会员消费);
    EXPECT_EQ(w().选择夹1->CurrentPage(), 2);
    EXPECT_EQ(w().编辑框_消费管理_查询类型->Text(), "当前用户");
    EXPECT_EQ(Ids(consumption()), std::vector<std::string>{"1"});
    EXPECT_EQ(ConsumptionSummary(), "消费总计1次，合计总额50元");
}

TEST_F(RecordQueriesTest, SideButtonWithoutAMemberKeepsTheSummaryAndTheLastQuery) {
    AddPay({});
    AddCostRow({});
    LogIn();
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    const std::string recharge_summary = RechargeSummary();
    const std::string consumption_summary = ConsumptionSummary();
    ASSERT_EQ(recharge_summary, "充值1次，实付100元，赠送0元，合计100元");
    struct Case {
        ImageButton* side;
        int page;
        ReportList* list;
        Label* summary;
        std::string kept;
        CheckBox* range;
        std::string rerun_sql;
    };
    const std::vector<Case> cases = {
        {w().按钮_会员充值, 1, &recharges(), w().标签_充值管理_汇总信息, recharge_summary,
         w().选择框_充值管理_指定日期, "SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1"},
        {w().按钮_会员消费, 2, &consumption(), w().标签_消费管理_汇总信息, consumption_summary,
         w().选择框_消费管理_指定日期, "SELECT * FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        statements_.clear();
        Click(c.side);
        EXPECT_EQ(w().选择夹1->CurrentPage(), c.page);
        EXPECT_EQ(c.list->RowCount(), 0);
        EXPECT_EQ(c.summary->Caption(), c.kept);
        EXPECT_TRUE(statements_.empty());
        // The check box reruns the page's previous query: all members, with
        // the day range of the boxes (today) while ticked.
        const std::string today = Day(harness().clock.Now());
        const std::string column = c.page == 1 ? "`pay_time`" : "`cost_date`";
        Click(c.range);
        Click(c.range);
        EXPECT_EQ(statements_, (std::vector<std::string>{c.rerun_sql + " AND " + column + " > '" +
                                                             today + " 00:00:00' AND " + column +
                                                             " < '" + today + " 23:59:59'",
                                                         c.rerun_sql}));
        EXPECT_EQ(c.list->RowCount(), 1);
    }
}

TEST_F(RecordQueriesTest, CurrentMemberButtonWithoutAMemberSendsNothing) {
    AddPay({});
    AddCostRow({});
    LogIn();
    records().QueryAllRecharges();
    records().QueryAllConsumption();
    ASSERT_EQ(recharges().RowCount(), 1);
    struct Case {
        int page;
        ImageButton* side;
        ImageButton* member;
        ReportList* list;
        Label* summary;
        EditBox* type;
        CheckBox* range;
        ColourButton* preset;
    };
    const std::vector<Case> cases = {
        {1, w().按钮_会员充值, w().按钮_充值管理_当前用户, &recharges(), w().标签_充值管理_汇总信息,
         w().编辑框_充值管理_查询类型, w().选择框_充值管理_指定日期, w().按钮_充值管理_本月},
        {2, w().按钮_会员消费, w().按钮_消费管理_当前用户, &consumption(),
         w().标签_消费管理_汇总信息, w().编辑框_消费管理_查询类型, w().选择框_消费管理_指定日期,
         w().按钮_消费管理_本月},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        w().选择夹1->SetCurrentPage(c.page);
        AddRow(*c.list, {"stale"});
        statements_.clear();
        Click(c.member);
        EXPECT_EQ(c.type->Text(), "当前用户");
        EXPECT_EQ(c.list->RowCount(), 0);
        EXPECT_EQ(c.summary->Caption(), "");
        // A later preset reruns the current-member query: still nothing.
        Click(c.range);
        PressLeft(c.preset);
        ReleaseLeft(c.preset);
        EXPECT_EQ(c.list->RowCount(), 0);
        EXPECT_EQ(c.summary->Caption(), "");
        EXPECT_TRUE(statements_.empty());
    }
}

}  // namespace
}  // namespace kob::test
