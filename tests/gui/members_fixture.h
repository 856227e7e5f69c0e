#pragma once
// The members page against the real server: tables emptied, the real window
// started, an operator logged in directly (no login page), and helpers to put
// members and records into the tables.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <string>
#include <string_view>
#include <vector>

#include "members/members.h"
#include "platform/core/text.h"
#include "support/db_fixture.h"
#include "support/window_fixture.h"

namespace kob::test {

inline constexpr const char* kBossId = "7";
inline constexpr const char* kBossName = "老板";
inline constexpr const char* kOtherTel = "13800138000";

class MembersTest : public WindowTest {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(ResetTables(&error)) << error;
        WindowTest::SetUp();
    }

    Members& members() { return *program().members; }
    ReportList& list() { return *w().超级列表框_会员管理_会员列表; }
    ReportList& spare() { return *w().超级列表框_会员管理_会员列表备用; }

    // What the login leaves: the operator, LoggedIn and the members page,
    // its totals worker started.
    void StartLogIn(bool privileged = true) {
        program().CurrentOperator = {kBossId, kBossName, privileged ? "Rudal" : kOtherTel};
        program().LoggedIn = 1;
        members().ShowMembersPage();
    }
    // The same, once the worker's totals are in the list.
    void LogIn(bool privileged = true) {
        StartLogIn(privileged);
        WaitForTotals();
    }

    // Until the totals worker has handed over and nothing more is queued.
    void WaitForTotals() {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !members().TotalsWorkerRunning() && program().MemberListRefreshing == 0; },
            20000));
    }

    static void AddMember(int card, std::string_view name, std::string_view phone = "",
                          int del = 0) {
        Exec("INSERT INTO `userlist`(`user_id`,`user_del`,`user_name`,`user_tel`) VALUES (" +
             IntText(card) + "," + IntText(del) + ",'" + EscapeSqlText(name) + "','" +
             EscapeSqlText(phone) + "')");
    }
    static void AddRecharge(int card, std::string_view money, std::string_view give,
                            std::string_view total, int del = 0, std::string_view name = "") {
        Exec(
            "INSERT INTO `paylist`(`pay_time`,`pay_money`,`pay_give`,`pay_total`,`pay_del`,"
            "`user_id`,`user_name`) VALUES ('2024-05-01 10:00:00','" +
            std::string(money) + "','" + std::string(give) + "','" + std::string(total) + "'," +
            IntText(del) + "," + IntText(card) + ",'" + EscapeSqlText(name) + "')");
    }
    static void AddCost(int card, std::string_view money, int del = 0, std::string_view name = "") {
        Exec(
            "INSERT INTO `costlist`(`cost_money`,`cost_del`,`cost_date`,`user_id`,`user_name`) "
            "VALUES ('" +
            std::string(money) + "'," + IntText(del) + ",'2024-05-02 10:00:00'," + IntText(card) +
            ",'" + EscapeSqlText(name) + "')");
    }

    static int RowOf(const ReportList& l, std::string_view card) {
        for (int r = 0; r < l.RowCount(); ++r) {
            if (l.Cell(r, 0) == card) {
                return r;
            }
        }
        return -1;
    }
    // Columns 0 to 8 of a row.
    static std::vector<std::string> RowCells(const ReportList& l, int row) {
        std::vector<std::string> cells;
        for (int c = 0; c < kMemberColumns; ++c) {
            cells.push_back(l.Cell(row, c));
        }
        return cells;
    }
    static std::vector<std::string> Cards(const ReportList& l) {
        std::vector<std::string> cards;
        for (int r = 0; r < l.RowCount(); ++r) {
            cards.push_back(l.Cell(r, 0));
        }
        return cards;
    }
    void Select(std::string_view card) {
        const int row = RowOf(list(), card);
        ASSERT_GE(row, 0) << card;
        list().SetSelectedRow(row);
    }
    std::string Balloon() { return w().气球提示框1->Text(); }
    // The last message box, input box or menu the handlers asked.
    const AskedDialog* LastAsked() { return harness().dialogs.Last(); }
};

}  // namespace kob::test
