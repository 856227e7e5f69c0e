// The number of characters each box takes against the size the server gives
// the column it feeds, read from the test server's information_schema: a
// column made smaller (or a limit made larger) would have the server refuse
// or cut what the box let through; a column made larger, a box that cuts
// the operator short.
#include <map>
#include <string>
#include <utility>

#include "support/db_fixture.h"
#include "ui/layout.h"

namespace kob::test {
namespace {

// The size of every column of the schema: characters for a VARCHAR, digits
// for an INT.
std::map<std::pair<std::string, std::string>, int> ColumnSizes() {
    std::map<std::pair<std::string, std::string>, int> sizes;
    for (const auto& row :
         Rows("SELECT `TABLE_NAME`, `COLUMN_NAME`, "
              "COALESCE(`CHARACTER_MAXIMUM_LENGTH`, `NUMERIC_PRECISION`) "
              "FROM `information_schema`.`COLUMNS` WHERE `TABLE_SCHEMA` = 'kobrelan'")) {
        if (!row[2].empty()) {  // DATETIME has neither
            sizes[{row[0], row[1]}] = std::stoi(row[2]);
        }
    }
    return sizes;
}

TEST(ColumnSizesTest, EachLimitIsTheSizeOfTheColumnItFeeds) {
    enum Use {
        Fed,     // the box's text goes into the column: the sizes match
        Copied,  // the column takes a copy of a fed one: it holds at least as much
    };
    struct Case {
        const char* limit;
        int chars;
        const char* table;
        const char* column;
        Use use;
    };
    const Case cases[] = {
        {"kCardChars", layout::kCardChars, "userlist", "user_id", Fed},
        {"kCardChars", layout::kCardChars, "paylist", "user_id", Copied},
        {"kCardChars", layout::kCardChars, "costlist", "user_id", Copied},
        {"kNameChars", layout::kNameChars, "userlist", "user_name", Fed},
        {"kNameChars", layout::kNameChars, "bosslist", "boss_name", Fed},
        {"kNameChars", layout::kNameChars, "xmlist", "xm_name", Fed},
        {"kNameChars", layout::kNameChars, "paylist", "user_name", Copied},
        {"kNameChars", layout::kNameChars, "paylist", "boss_name", Copied},
        {"kNameChars", layout::kNameChars, "costlist", "user_name", Copied},
        {"kNameChars", layout::kNameChars, "costlist", "boss_name", Copied},
        {"kNameChars", layout::kNameChars, "costlist", "xm_name", Copied},
        {"kPhoneChars", layout::kPhoneChars, "userlist", "user_tel", Fed},
        {"kPhoneChars", layout::kPhoneChars, "bosslist", "boss_tel", Fed},
        {"kPasswordChars", layout::kPasswordChars, "bosslist", "boss_key", Fed},
        {"kMethodChars", layout::kMethodChars, "paylist", "pay_method", Fed},
        {"kMoneyChars", layout::kMoneyChars, "paylist", "pay_money", Fed},
        {"kMoneyChars", layout::kMoneyChars, "paylist", "pay_give", Fed},
        {"kMoneyChars", layout::kMoneyChars, "costlist", "cost_money", Fed},
        {"kMoneyChars", layout::kMoneyChars, "xmlist", "xm_money", Fed},
        {"kMoneyChars", layout::kMoneyChars, "costlist", "xm_money", Copied},
        {"kCostNotesChars", layout::kCostNotesChars, "costlist", "cost_notes", Fed},
    };
    const auto sizes = ColumnSizes();
    ASSERT_FALSE(sizes.empty()) << "information_schema shows no column of kobrelan";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.limit) + " feeds " + c.table + "." + c.column);
        const auto it = sizes.find({c.table, c.column});
        ASSERT_NE(it, sizes.end()) << "no such column";
        if (c.use == Fed) {
            EXPECT_EQ(c.chars, it->second);
        } else {
            EXPECT_LE(c.chars, it->second);
        }
    }
}

}  // namespace
}  // namespace kob::test
