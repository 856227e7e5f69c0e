// Texts travel as GBK: stored byte for byte, escaped, refused when GBK
// cannot hold them.
#include "platform/core/text.h"

#include <gtest/gtest.h>

#include "data/db.h"
#include "support/db_fixture.h"

namespace kob::data {
namespace {

class GbkTextTest : public test::DbTest {
  protected:
    // The member insert as the program builds it, with the name escaped.
    bool InsertMember(int card, std::string_view name) {
        auto session = db_.Acquire();
        return static_cast<bool>(session.Execute(
            "INSERT INTO `userlist`(`user_id`,`user_del`,`user_name`,`user_tel`,`user_key`,"
            "`user_add`,`user_wxid`,`user_notes`) VALUES ('" +
            std::to_string(card) + "','0','" + EscapeSqlText(name) +
            "','13800000000','','','','')"));
    }
    std::string NameOf(int card) {
        auto session = db_.Acquire();
        if (session.RunQuery("SELECT * FROM `kobrelan`.`userlist` WHERE `user_id` = " +
                             std::to_string(card)) != 1) {
            return "<no row>";
        }
        return session.SharedRecordSet().Text("user_name");
    }

    ManualClock clock_;
    Database db_{clock_};
};

TEST_F(GbkTextTest, ChineseRoundTripsAndIsStoredAsGbk) {
    ASSERT_TRUE(InsertMember(1, "张三丰"));
    EXPECT_EQ(NameOf(1), "张三丰");
    EXPECT_EQ(test::Scalar("SELECT HEX(`user_name`) FROM `userlist` WHERE `user_id` = 1"),
              "D5C5C8FDB7E1");
}

TEST_F(GbkTextTest, QuotesBackslashesAndTrailBytesAreStoredAsTyped) {
    // 嘰 is GBK 87 5C, 乗 81 5C: their second byte is a backslash.
    const std::string name = "O'Neil \\ \"嘰\" 乗";
    ASSERT_TRUE(InsertMember(2, name));
    EXPECT_EQ(NameOf(2), name);
    EXPECT_EQ(test::Scalar("SELECT HEX(`user_name`) FROM `userlist` WHERE `user_id` = 2"),
              "4F274E65696C205C2022875C2220815C");
}

TEST_F(GbkTextTest, TextGbkCannotHoldFailsTheStatementAndStoresNothing) {
    EXPECT_FALSE(InsertMember(3, "笑😀"));
    // The euro sign converts (0x80 in code page 936) but the server's gbk refuses it.
    EXPECT_FALSE(InsertMember(4, "€5"));
    EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `userlist`"), "0");
}

}  // namespace
}  // namespace kob::data
