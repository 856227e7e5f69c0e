// Texts travel as GBK: stored byte for byte, escaped, refused when GBK
// cannot hold them.
#include "platform/core/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/db.h"
#include "members/member_statements.h"
#include "support/db_fixture.h"
#include "support/manual_clock.h"

namespace kob::data {
namespace {

class GbkTextTest : public test::DbTest {
  protected:
    // The member insert as the program builds it, with the name escaped.
    bool InsertMember(int card, std::string_view name) {
        const auto insert =
            MemberInsertWrite(std::to_string(card), std::string(name), "13800000000");
        auto session = db_.Acquire();
        return insert && static_cast<bool>(session.Execute(insert->sql));
    }
    std::string NameOf(int card) {
        auto session = db_.Acquire();
        if (session
                .RunQuery("SELECT * FROM `kobrelan`.`userlist` WHERE `user_id` = " +
                          std::to_string(card))
                .count != 1) {
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

// The edit boxes refuse what GbkHolds refuses: that must be what the server
// refuses. Every character GbkHolds lets through is stored as sent, in
// VARCHAR(255) chunks of 255 characters; every one that converts but
// GbkHolds refuses is refused by the server.
TEST_F(GbkTextTest, GbkHoldsAgreesWithTheServerOnEveryCharacter) {
    auto utf8_of = [](char32_t c) {
        std::string s;
        if (c < 0x800) {
            s += static_cast<char>(0xC0 | (c >> 6));
        } else {
            s += static_cast<char>(0xE0 | (c >> 12));
            s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        s += static_cast<char>(0x80 | (c & 0x3F));
        return s;
    };
    std::vector<std::string> chunks(1);
    size_t in_chunk = 0;
    std::vector<std::string> converted_but_refused;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        const std::string ch = utf8_of(c);
        if (GbkHolds(c)) {
            if (in_chunk == 255) {
                chunks.emplace_back();
                in_chunk = 0;
            }
            chunks.back() += ch;
            ++in_chunk;
        } else if (Utf8ToGbk(ch)) {
            converted_but_refused.push_back(ch);
        }
    }
    ASSERT_GT(chunks.size(), 80u);  // about 21,800 characters
    for (size_t i = 0; i < chunks.size(); ++i) {
        auto session = db_.Acquire();
        ASSERT_TRUE(session.Execute("INSERT INTO `userlist`(`user_id`,`user_notes`) VALUES (" +
                                    std::to_string(i + 1) + ",'" + EscapeSqlText(chunks[i]) + "')"))
            << "chunk " << i;
    }
    const auto rows = test::Rows("SELECT `user_notes` FROM `userlist` ORDER BY `user_id`");
    ASSERT_EQ(rows.size(), chunks.size());
    for (size_t i = 0; i < chunks.size(); ++i) {
        EXPECT_EQ(rows[i][0], chunks[i]) << "chunk " << i;
    }
    EXPECT_EQ(converted_but_refused, std::vector<std::string>{"€"});
    for (const std::string& ch : converted_but_refused) {
        EXPECT_FALSE(InsertMember(100000, ch)) << ch;
    }
}

}  // namespace
}  // namespace kob::data
