#pragma once
// The members page's statements, built from plain values, and the reading
// of the totals they return: the handlers send them and the database tests
// run the very same texts.
#include <cstdint>
#include <optional>
#include <string>

#include "data/db.h"
#include "data/table_rows.h"

namespace kob {

struct PayTotals {
    int32_t count = 0;  // COUNT(pay_money)
    int32_t money = 0;  // SUM(pay_money)
    int32_t total = 0;  // SUM(pay_total)
};
struct CostTotals {
    int32_t count = 0;  // COUNT(cost_money)
    int32_t money = 0;  // SUM(cost_money)
};

// The members still listed, newest first when asked.
std::string MemberListQuery(bool newest_first);
// The next free card number, as `next_id`.
std::string NextCardNumberQuery();
// The member that holds card. Empty when card is not a whole number.
std::string MemberOfCardQuery(const std::string& card);

// The totals worker's two passes over all members: each one GROUP BY
// statement, a row of sums per `user_id`.
std::string PayTotalsByMemberQuery();
std::string CostTotalsByMemberQuery();
// One member's totals, both passes' sums in one row. Empty when card is not
// a whole number.
std::string MemberTotalsQuery(const std::string& card);
// The sums of the current row of a set of those statements (NULL reads 0).
PayTotals ReadPayTotals(const data::RecordSet& set);
CostTotals ReadCostTotals(const data::RecordSet& set);
// Sums of two groups, held at the 32-bit limits.
void AddTotals(PayTotals& into, const PayTotals& more);
void AddTotals(CostTotals& into, const CostTotals& more);

// A new member: the card is the key, so the member is there when its row
// holds what was typed. None when card is not a whole number.
std::optional<data::Write> MemberInsertWrite(const std::string& card, const std::string& name,
                                             const std::string& phone);
// A recharge, settled by its values. The record's pay_id is not written.
data::Write RechargeInsertWrite(const RechargeRecord& record);
// The member row deleted; the member's records stay. None when card is not
// a whole number.
std::optional<data::Write> MemberDeletionWrite(const std::string& card);
// The member renamed, with the records that carry the old name byte for
// byte, all in one transaction. None when card is not a whole number.
std::optional<data::Write> MemberRenameWrite(const std::string& card, const std::string& old_name,
                                             const std::string& new_name);
// The member's phone number changed. None when card is not a whole number.
std::optional<data::Write> MemberPhoneWrite(const std::string& card, const std::string& phone);

}  // namespace kob
