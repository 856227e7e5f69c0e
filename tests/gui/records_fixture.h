#pragma once
// The record pages against the real server: the members fixture (empty
// tables, the real window, a direct login) plus full paylist and costlist
// rows, the statements the pages send and a few readers.
#include <string>
#include <string_view>
#include <vector>

#include "members_fixture.h"
#include "platform/core/datetime.h"
#include "records/records.h"

namespace kob::test {

struct PayRow {
    std::string time = "2024-05-01 10:00:00";
    std::string money = "100";
    std::string give = "0";
    std::string total = "100";
    std::string method = "现金";
    std::string notes{};
    int del = 0;
    int user_id = 1;
    std::string user_name = "Tom";
    std::string boss_id = "7";
    std::string boss_name = "老板";
};

struct CostRow {
    std::string notes{};
    std::string money = "50";
    int del = 0;
    std::string date = "2024-05-02 10:00:00";
    std::string xm_id = "3";
    std::string xm_name = "足疗";
    std::string xm_money = "50";
    int user_id = 1;
    std::string user_name = "Tom";
    std::string boss_id = "7";
    std::string boss_name = "老板";
};

class RecordsTest : public MembersTest {
  protected:
    void SetUp() override {
        MembersTest::SetUp();
        records().on_statement = [this](const std::string& sql) { statements_.push_back(sql); };
    }

    Records& records() { return *program().records; }
    ReportList& recharges() { return *w().超级列表框_会员充值_充值列表; }
    ReportList& consumption() { return *w().超级列表框_会员消费_消费列表; }
    std::string RechargeSummary() { return w().标签_充值管理_汇总信息->Caption(); }
    std::string ConsumptionSummary() { return w().标签_消费管理_汇总信息->Caption(); }

    static std::string Q(std::string_view text) { return "'" + EscapeSqlText(text) + "'"; }
    static void AddPay(const PayRow& r) {
        Exec(
            "INSERT INTO `paylist`(`pay_time`,`pay_money`,`pay_give`,`pay_total`,`pay_method`,"
            "`pay_notes`,`pay_del`,`user_id`,`user_name`,`boss_id`,`boss_name`) VALUES (" +
            Q(r.time) + "," + Q(r.money) + "," + Q(r.give) + "," + Q(r.total) + "," + Q(r.method) +
            "," + Q(r.notes) + "," + IntText(r.del) + "," + IntText(r.user_id) + "," +
            Q(r.user_name) + "," + Q(r.boss_id) + "," + Q(r.boss_name) + ")");
    }
    static void AddCostRow(const CostRow& r) {
        Exec(
            "INSERT INTO `costlist`(`cost_notes`,`cost_money`,`cost_del`,`cost_date`,`xm_id`,"
            "`xm_name`,`xm_money`,`user_id`,`user_name`,`boss_id`,`boss_name`) VALUES (" +
            Q(r.notes) + "," + Q(r.money) + "," + IntText(r.del) + "," + Q(r.date) + "," +
            Q(r.xm_id) + "," + Q(r.xm_name) + "," + Q(r.xm_money) + "," + IntText(r.user_id) + "," +
            Q(r.user_name) + "," + Q(r.boss_id) + "," + Q(r.boss_name) + ")");
    }

    // What the 200 ms timer leaves after the operator selects a member row.
    void SelectMember(std::string_view card) {
        Select(card);
        members().RefreshCurrentMemberBox();
    }
    void UnselectMember() {
        list().SetSelectedRow(-1);
        members().RefreshCurrentMemberBox();
    }

    static std::vector<std::string> Column(const ReportList& l, int column) {
        std::vector<std::string> cells;
        for (int r = 0; r < l.RowCount(); ++r) {
            cells.push_back(l.Cell(r, column));
        }
        return cells;
    }
    static std::vector<std::string> Ids(const ReportList& l) { return Column(l, 0); }
    static std::vector<std::string> Cells(const ReportList& l, int row) {
        std::vector<std::string> cells;
        for (int c = 0; c < l.ColumnCount(); ++c) {
            cells.push_back(l.Cell(row, c));
        }
        return cells;
    }
    static int RowOfId(const ReportList& l, std::string_view id) { return RowOf(l, id); }

    static double At(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
        return CivilToOle(CivilTime{y, m, d, h, mi, s, 0});
    }
    static std::string Day(double ole) { return FormatDateTimeText(ole, "yyyy-MM-dd"); }
    static std::string Time(double ole) { return FormatDateTimeText(ole, "", "HH:mm:ss", true); }

    std::vector<std::string> statements_;
};

}  // namespace kob::test
