#include "members/member_statements.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/core/text.h"

namespace kob {
namespace {

// The sums both kinds of totals statement ask for, under the same names.
constexpr const char* kPaySums =
    "COUNT(`pay_money`) AS `pay_count`,SUM(`pay_money`) AS `pay_money`,SUM(`pay_total`) AS "
    "`pay_total`";
constexpr const char* kCostSums =
    "COUNT(`cost_money`) AS `cost_count`,SUM(`cost_money`) AS `cost_money`";

int32_t Saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

data::Write FixedCheck(data::Write write, std::string check) {
    write.check_sql = [check = std::move(check)](const std::string&) { return check; };
    return write;
}

}  // namespace

std::string MemberListQuery(bool newest_first) {
    std::string sql = "SELECT * FROM `kobrelan`.`userlist` WHERE `user_del` <> 1";
    if (newest_first) {
        sql += " ORDER BY `user_id` DESC";
    }
    return sql;
}

std::string NextCardNumberQuery() {
    return "SELECT MAX(`user_id`)+1 AS `next_id` FROM `kobrelan`.`userlist`";
}

std::string MemberOfCardQuery(const std::string& card) {
    return IsWholeNumber(card) ? "SELECT * FROM userlist WHERE user_id = " + card : std::string();
}

std::string PayTotalsByMemberQuery() {
    return std::string("SELECT `user_id`,") + kPaySums +
           " FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1 GROUP BY `user_id` ORDER BY NULL";
}

std::string CostTotalsByMemberQuery() {
    return std::string("SELECT `user_id`,") + kCostSums +
           " FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1 GROUP BY `user_id` ORDER BY NULL";
}

std::string MemberTotalsQuery(const std::string& card) {
    if (!IsWholeNumber(card)) {
        return {};
    }
    return std::string("SELECT * FROM (SELECT ") + kPaySums +
           " FROM `kobrelan`.`paylist` WHERE `user_id` = " + card +
           " AND `pay_del` <> 1) AS `pay`,(SELECT " + kCostSums +
           " FROM `kobrelan`.`costlist` WHERE `user_id` = " + card +
           " AND `cost_del` <> 1) AS `cost`";
}

PayTotals ReadPayTotals(const data::RecordSet& set) {
    return {set.Int32("pay_count"), set.Int32("pay_money"), set.Int32("pay_total")};
}

CostTotals ReadCostTotals(const data::RecordSet& set) {
    return {set.Int32("cost_count"), set.Int32("cost_money")};
}

void AddTotals(PayTotals& into, const PayTotals& more) {
    into.count = Saturate(int64_t{into.count} + more.count);
    into.money = Saturate(int64_t{into.money} + more.money);
    into.total = Saturate(int64_t{into.total} + more.total);
}

void AddTotals(CostTotals& into, const CostTotals& more) {
    into.count = Saturate(int64_t{into.count} + more.count);
    into.money = Saturate(int64_t{into.money} + more.money);
}

std::optional<data::Write> MemberInsertWrite(const std::string& card, const std::string& name,
                                             const std::string& phone) {
    if (!IsWholeNumber(card)) {
        return std::nullopt;
    }
    data::Write write;
    write.sql = data::InsertStatement("userlist", {{"user_id", card},
                                                   {"user_del", "0"},
                                                   {"user_name", name},
                                                   {"user_tel", phone},
                                                   {"user_key", ""},
                                                   {"user_add", ""},
                                                   {"user_wxid", ""},
                                                   {"user_notes", ""}});
    return FixedCheck(std::move(write), "SELECT 1 FROM `kobrelan`.`userlist` WHERE `user_id` = " +
                                            card + " AND `user_name` = '" + EscapeSqlText(name) +
                                            "' AND `user_tel` = '" + EscapeSqlText(phone) + "'");
}

data::Write RechargeInsertWrite(const RechargeRecord& record) {
    data::ColumnValues row = {
        {"pay_time", record.pay_time},     {"pay_money", record.pay_money},
        {"pay_give", record.pay_give},     {"pay_total", record.pay_total},
        {"pay_method", record.pay_method}, {"pay_notes", record.pay_notes},
        {"pay_del", record.pay_del},       {"user_id", record.user_id},
        {"user_name", record.user_name},   {"boss_id", record.boss_id},
        {"boss_name", record.boss_name},
    };
    return data::InsertRowWrite("paylist", "pay_id", std::move(row));
}

std::optional<data::Write> MemberDeletionWrite(const std::string& card) {
    if (!IsWholeNumber(card)) {
        return std::nullopt;
    }
    // Deleting it again changes nothing: a lost deletion is settled by
    // running it again.
    return data::RepeatableWrite("DELETE FROM `kobrelan`.`userlist` WHERE `user_id` = " + card);
}

std::optional<data::Write> MemberRenameWrite(const std::string& card, const std::string& old_name,
                                             const std::string& new_name) {
    if (!IsWholeNumber(card)) {
        return std::nullopt;
    }
    const std::string new_literal = EscapeSqlText(new_name);
    const std::string old_literal = EscapeSqlText(old_name);
    data::Write write;
    // All three tables or none; only records that carry the old name,
    // byte for byte, follow the member. Run again, it changes nothing.
    write.transaction = {
        "UPDATE `kobrelan`.`userlist` SET `user_name` = '" + new_literal +
            "' WHERE `user_id` = " + card,
        "UPDATE `kobrelan`.`paylist` SET `user_name` = '" + new_literal +
            "' WHERE `user_id` = " + card + " AND BINARY `user_name` = '" + old_literal + "'",
        "UPDATE `kobrelan`.`costlist` SET `user_name` = '" + new_literal +
            "' WHERE `user_id` = " + card + " AND BINARY `user_name` = '" + old_literal + "'",
    };
    // Committed when the member carries the new name.
    return FixedCheck(std::move(write),
                      "SELECT 1 FROM `kobrelan`.`userlist` WHERE `user_id` = " + card +
                          " AND BINARY `user_name` = '" + new_literal + "'");
}

std::optional<data::Write> MemberPhoneWrite(const std::string& card, const std::string& phone) {
    if (!IsWholeNumber(card)) {
        return std::nullopt;
    }
    return data::RepeatableWrite("UPDATE `kobrelan`.`userlist` SET `user_tel` = '" +
                                 EscapeSqlText(phone) + "' WHERE `user_id` = " + card);
}

}  // namespace kob
