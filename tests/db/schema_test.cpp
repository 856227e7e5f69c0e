// The program's own statements against the schema, with the server's
// default strict sql_mode.
#include <gtest/gtest.h>

#include "data/db.h"
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
    bool AddMember(const std::string& card, const std::string& name) {
        return Run(
            "INSERT INTO `userlist`(`user_id`,`user_del`,`user_name`,`user_tel`,"
            "`user_key`,`user_add`,`user_wxid`,`user_notes`) VALUES ('" +
            card + "','0','" + name + "','13900000000','','','','')");
    }
    bool AddRecharge(const std::string& card, const std::string& money, const std::string& give,
                     const std::string& total) {
        return Run(
            "INSERT INTO `paylist`(`pay_time`,`pay_money`,`pay_give`,`pay_total`,`pay_method`,"
            "`pay_notes`,`pay_del`,`user_id`,`user_name`,`boss_id`,`boss_name`) VALUES ('"
            "2023-05-01 13:05:09','" +
            money + "','" + give + "','" + total + "','微信','','0','" + card +
            "','张三','1','管理员')");
    }
    bool AddConsumption(const std::string& card, const std::string& money, const std::string& xm_id,
                        const std::string& xm_name) {
        return Run(
            "INSERT INTO `costlist`(`cost_notes`,`cost_money`,`cost_del`,`cost_date`,`xm_id`,"
            "`xm_name`,`xm_money`,`user_id`,`user_name`,`boss_id`,`boss_name`) VALUES ('"
            "足疗[88]\r\n修脚[30]','" +
            money + "','0','2023-05-01 13:05:09','" + xm_id + "','" + xm_name + "','" + money +
            "','" + card + "','张三','1','管理员')");
    }
    // MemberTotals as the totals worker reads them, on a connection of its own.
    std::vector<int32_t> Totals(const std::string& card) {
        PrivateConnection connection;
        RecordSet pay = connection.Query(
            "SELECT COUNT(`pay_money`) AS n, SUM(`pay_money`) AS paid, SUM(`pay_total`) AS total "
            "FROM `paylist` WHERE `pay_del` <> 1 AND `user_id` = " +
            card);
        RecordSet cost = connection.Query(
            "SELECT COUNT(`cost_money`) AS n, SUM(`cost_money`) AS spent FROM `costlist` "
            "WHERE `cost_del` <> 1 AND `user_id` = " +
            card);
        return {pay.Int32("n"), pay.Int32("paid"), pay.Int32("total"), cost.Int32("n"),
                cost.Int32("spent")};
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
    EXPECT_TRUE(
        Run("UPDATE `kobrelan`.`paylist` SET `pay_del` = 1,`pay_notes`='删除于 "
            "2023-05-01 01:05:09' WHERE `pay_id` = 4"));

    EXPECT_EQ(Totals("1"), (std::vector<int32_t>{3, 270, 320, 2, 80}));
    EXPECT_EQ(Totals("2"), (std::vector<int32_t>{0, 0, 0, 0, 0}));  // NULL sums read as 0
    EXPECT_EQ(test::Scalar("SELECT `pay_give` FROM `paylist` WHERE `pay_id` = 1"), "");
    EXPECT_EQ(test::Scalar("SELECT `pay_del` FROM `paylist` WHERE `pay_id` = 1"), "0");
    EXPECT_EQ(test::Scalar("SELECT `xm_name` FROM `costlist` WHERE `cost_id` = 1"), "2个项目");
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `paylist` WHERE `pay_del` <> 1 AND "
                           "`pay_time` > '2023-05-01 00:00:00' AND "
                           "`pay_time` < '2023-05-01 23:59:59'"),
              "3");
}

TEST_F(SchemaTest, ExistingCardNumberIsRefused) {
    ASSERT_TRUE(AddMember("1001", "张三"));
    EXPECT_FALSE(AddMember("1001", "李四"));
    EXPECT_EQ(test::Scalar("SELECT `user_name` FROM `userlist` WHERE `user_id` = 1001"), "张三");
    EXPECT_EQ(test::Scalar("SELECT MAX(`user_id`)+1 FROM `userlist`"), "1002");
}

TEST_F(SchemaTest, MemberDeletionFlagAndRenaming) {
    ASSERT_TRUE(AddMember("7", "王五"));
    ASSERT_TRUE(AddRecharge("7", "10", "", "10"));
    EXPECT_TRUE(Run("UPDATE `kobrelan`.`userlist` SET `user_del` = 1 WHERE `user_id` = 7"));
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `userlist` WHERE `user_del` <> 1"), "0");
    EXPECT_TRUE(
        Run("UPDATE `kobrelan`.`paylist` SET `user_name` = '王六' WHERE `user_id` = 7 "
            "AND `user_name` = '张三'"));
    EXPECT_EQ(test::Scalar("SELECT `user_name` FROM `paylist`"), "王六");
}

TEST_F(SchemaTest, ServiceItemsAndOperators) {
    EXPECT_TRUE(
        Run("INSERT INTO `kobrelan`.`xmlist`(`xm_name`, `xm_money` ,`xm_del`) VALUES "
            "('足疗', '88', '0')"));
    EXPECT_TRUE(
        Run("INSERT INTO `kobrelan`.`xmlist`(`xm_name`, `xm_money` ,`xm_del`) VALUES "
            "('修脚', '30', '0')"));
    EXPECT_TRUE(Run("UPDATE `kobrelan`.`xmlist` SET `xm_del` = 1 WHERE `xm_id` = 1"));
    EXPECT_EQ(test::Rows("SELECT `xm_id`, `xm_name`, `xm_notes` FROM `kobrelan`.`xmlist` "
                         "WHERE `xm_del` <> 1"),
              (std::vector<std::vector<std::string>>{{"2", "修脚", ""}}));

    EXPECT_TRUE(
        Run("INSERT INTO `kobrelan`.`bosslist`(`boss_tel`, `boss_name`, `boss_key`) "
            "VALUES ('13800000001', '小李', 'abc')"));
    EXPECT_TRUE(
        Run("UPDATE `kobrelan`.`bosslist` SET `boss_key` = 'xyz' WHERE `boss_tel` = "
            "'13800000001'"));
    auto session = db_.Acquire();
    ASSERT_EQ(session.RunQuery("SELECT * FROM bosslist WHERE boss_tel = '13800000001'").count, 1);
    EXPECT_EQ(session.SharedRecordSet().Text("boss_id"), "1");
    EXPECT_EQ(session.SharedRecordSet().Text("boss_key"), "xyz");
}

TEST_F(SchemaTest, ServerRunsInStrictMode) {
    EXPECT_NE(test::Scalar("SELECT @@sql_mode").find("STRICT_TRANS_TABLES"), std::string::npos);
    // A value too long for its column is refused, not cut.
    EXPECT_FALSE(
        Run("INSERT INTO `kobrelan`.`xmlist`(`xm_name`, `xm_money` ,`xm_del`) VALUES "
            "('x', '" +
            std::string(40, '9') + "', '0')"));
}

}  // namespace
}  // namespace kob::data
