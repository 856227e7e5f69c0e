// The program's own statements against the schema, with the server's
// default strict sql_mode: every statement the program sends comes from its
// subsystems' builders, so these run the very texts the handlers send.
#include <gtest/gtest.h>

#include "checkout/checkout_statements.h"
#include "data/db.h"
#include "members/member_statements.h"
#include "operators/operator_statements.h"
#include "platform/core/datetime.h"
#include "platform/core/text.h"
#include "records/record_statements.h"
#include "support/db_fixture.h"
#include "support/manual_clock.h"

namespace kob::data {
namespace {

class SchemaTest : public test::DbTest {
  protected:
    bool Run(const std::string& sql) {
        auto session = db_.Acquire();
        return static_cast<bool>(session.Execute(sql));
    }
    // A write as the handlers run it: its mark first, its transaction if any.
    bool Run(const Write& w) {
        auto session = db_.Acquire();
        return static_cast<bool>(session.Write(w));
    }
    bool AddMember(const std::string& card, const std::string& name) {
        const auto insert = MemberInsertWrite(card, name, "13900000000");
        return insert && Run(*insert);
    }
    bool AddRecharge(const std::string& card, const std::string& money, const std::string& give,
                     const std::string& total) {
        RechargeRecord r;
        r.pay_time = "2023-05-01 13:05:09";
        r.pay_money = money;
        r.pay_give = give;
        r.pay_total = total;
        r.pay_method = "微信";
        r.pay_del = "0";
        r.user_id = card;
        r.user_name = "张三";
        r.boss_id = "1";
        r.boss_name = "管理员";
        return Run(RechargeInsertWrite(r));
    }
    bool AddConsumption(const std::string& card, const std::string& money, const std::string& xm_id,
                        const std::string& xm_name) {
        ConsumptionRecord c;
        c.cost_notes = "足疗[88]\r\n修脚[30]";
        c.cost_money = money;
        c.cost_del = "0";
        c.cost_date = "2023-05-01 13:05:09";
        c.xm_id = xm_id;
        c.xm_name = xm_name;
        c.xm_money = money;
        c.user_id = card;
        c.user_name = "张三";
        c.boss_id = "1";
        c.boss_name = "管理员";
        return Run(ConsumptionInsertWrite(c));
    }
    // The sums of card in a pass of the totals worker over all members.
    template <typename Totals>
    static Totals PassTotals(PrivateConnection& connection, const std::string& sql,
                             const std::string& card, Totals (*read)(const RecordSet&)) {
        Totals sums;
        RecordSet groups = connection.Query(sql);
        for (uint64_t r = 0; r < groups.RowCount(); ++r) {
            groups.MoveTo(r);
            if (groups.Int32("user_id") == ToInt32(card)) {
                AddTotals(sums, read(groups));
            }
        }
        return sums;
    }
    // A member's totals as the selected member's recomputation reads them,
    // on a connection of its own; the totals worker's passes over all
    // members must find the same.
    std::vector<int32_t> Totals(const std::string& card) {
        PrivateConnection connection;
        const RecordSet one = connection.Query(MemberTotalsQuery(card));
        const PayTotals pay = ReadPayTotals(one);
        const CostTotals cost = ReadCostTotals(one);
        const PayTotals pay_pass =
            PassTotals(connection, PayTotalsByMemberQuery(), card, ReadPayTotals);
        const CostTotals cost_pass =
            PassTotals(connection, CostTotalsByMemberQuery(), card, ReadCostTotals);
        const std::vector<int32_t> totals = {pay.count, pay.money, pay.total, cost.count,
                                             cost.money};
        EXPECT_EQ(totals, (std::vector<int32_t>{pay_pass.count, pay_pass.money, pay_pass.total,
                                                cost_pass.count, cost_pass.money}))
            << "the worker's passes and the recomputation differ for card " << card;
        return totals;
    }

    ManualClock clock_;
    Database db_{clock_};
};

TEST_F(SchemaTest, RechargeInsertsAsTypedAndSumsComeOutRight) {
    ASSERT_TRUE(AddMember("1", "张三"));
    EXPECT_TRUE(AddRecharge("1", "100", "", "100"));  // no bonus typed
    EXPECT_TRUE(AddRecharge("1", "200", "50", "250"));
    EXPECT_TRUE(AddRecharge("1", "-30", "0", "-30"));    // a correction
    EXPECT_TRUE(AddRecharge("1", "1000", "0", "1000"));  // deleted below
    EXPECT_TRUE(AddConsumption("1", "88", "", "2个项目"));
    EXPECT_TRUE(AddConsumption("1", "-8", "3", "退款"));
    const OperatorTexts op{"1", "管理员", "13800000000"};
    const auto deletion = RecordDeletionWrite(
        RecordPage::Recharge,
        RecordDeletionNote(RecordPage::Recharge, op, ParseDateTimeText("2023-05-01 13:05:09")),
        "4");
    ASSERT_TRUE(deletion);
    EXPECT_TRUE(Run(*deletion));

    EXPECT_EQ(Totals("1"), (std::vector<int32_t>{3, 270, 320, 2, 80}));
    EXPECT_EQ(Totals("2"), (std::vector<int32_t>{0, 0, 0, 0, 0}));  // NULL sums read as 0
    EXPECT_EQ(test::Scalar("SELECT `pay_give` FROM `paylist` WHERE `pay_id` = 1"), "");
    EXPECT_EQ(test::Scalar("SELECT `pay_del` FROM `paylist` WHERE `pay_id` = 1"), "0");
    EXPECT_EQ(test::Scalar("SELECT `xm_name` FROM `costlist` WHERE `cost_id` = 1"), "2个项目");
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM (" +
                           RechargeQueryStatement("", true, "2023-05-01 00:00:00",
                                                  "2023-05-01 23:59:59", false) +
                           ") AS `page`"),
              "3");
}

TEST_F(SchemaTest, ExistingCardNumberIsRefused) {
    ASSERT_TRUE(AddMember("1001", "张三"));
    EXPECT_FALSE(AddMember("1001", "李四"));
    EXPECT_EQ(test::Rows(MemberOfCardQuery("1001")).size(), 1u);
    EXPECT_EQ(test::Scalar("SELECT `user_name` FROM `userlist` WHERE `user_id` = 1001"), "张三");
    EXPECT_EQ(test::Scalar(NextCardNumberQuery()), "1002");
}

TEST_F(SchemaTest, MemberDeletionFlagAndRenaming) {
    ASSERT_TRUE(AddMember("7", "张三"));
    ASSERT_TRUE(AddRecharge("7", "10", "", "10"));
    EXPECT_TRUE(Run("UPDATE `kobrelan`.`userlist` SET `user_del` = 1 WHERE `user_id` = 7"));
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `userlist` WHERE `user_del` <> 1"), "0");
    const auto rename = MemberRenameWrite("7", "张三", "王六");
    ASSERT_TRUE(rename);
    EXPECT_TRUE(Run(*rename));
    EXPECT_EQ(test::Scalar("SELECT `user_name` FROM `paylist`"), "王六");
    // The deletion takes the member row only: its records stay.
    const auto deletion = MemberDeletionWrite("7");
    ASSERT_TRUE(deletion);
    EXPECT_TRUE(Run(*deletion));
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `userlist`"), "0");
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `paylist`"), "1");
}

TEST_F(SchemaTest, ServiceItemsAndOperators) {
    EXPECT_TRUE(Run(ServiceItemInsertWrite("足疗", "88")));
    EXPECT_TRUE(Run(ServiceItemInsertWrite("修脚", "30")));
    const auto deletion = ServiceItemDeletionWrite("1");
    ASSERT_TRUE(deletion);
    EXPECT_TRUE(Run(*deletion));
    EXPECT_EQ(test::Rows("SELECT `xm_id`, `xm_name`, `xm_notes` FROM (" + ServiceItemsQuery() +
                         ") AS `items`"),
              (std::vector<std::vector<std::string>>{{"2", "修脚", ""}}));

    EXPECT_TRUE(Run(OperatorInsertWrite("13800000001", "小李", "abc")));
    EXPECT_TRUE(Run(PasswordChangeWrite("13800000001", "xyz")));
    auto session = db_.Acquire();
    ASSERT_EQ(session.RunQuery(OperatorLoginQuery("13800000001")).count, 1);
    EXPECT_EQ(session.SharedRecordSet().Text("boss_id"), "1");
    EXPECT_EQ(session.SharedRecordSet().Text("boss_key"), "xyz");
}

TEST_F(SchemaTest, ServerRunsInStrictMode) {
    EXPECT_NE(test::Scalar("SELECT @@sql_mode").find("STRICT_TRANS_TABLES"), std::string::npos);
    // A value too long for its column is refused, not cut.
    EXPECT_FALSE(Run(ServiceItemInsertWrite("x", std::string(40, '9'))));
}

}  // namespace
}  // namespace kob::data
