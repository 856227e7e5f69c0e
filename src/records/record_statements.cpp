#include "records/record_statements.h"

#include "platform/core/datetime.h"
#include "platform/core/text.h"

namespace kob {
namespace {

// The statement of a load, from its page's fragments.
std::string QueryStatement(std::string_view head, std::string_view time_column,
                           std::string_view order, const std::string& card, bool use_range,
                           const std::string& start, const std::string& end, bool newest_first) {
    std::string sql(head);
    if (!card.empty()) {
        if (!IsWholeNumber(card)) {
            return {};
        }
        sql += " AND `user_id` =" + card;
    }
    if (use_range) {
        sql += " AND `";
        sql += time_column;
        sql += "` > '" + EscapeSqlText(start) + "' AND `";
        sql += time_column;
        sql += "` < '" + EscapeSqlText(end) + "'";
    }
    if (newest_first) {
        sql += order;
    }
    return sql;
}

// The fragments of a page's deletion.
struct DeletionParts {
    std::string_view update_head;
    std::string_view update_tail;
    std::string_view check_head;
    std::string_view check_tail;
    std::string_view note_last_piece;
};

DeletionParts Deletion(RecordPage page) {
    if (page == RecordPage::Recharge) {
        return {"UPDATE `kobrelan`.`paylist` SET `pay_del` = 1,`pay_notes`='",
                "' WHERE `pay_id` = ", "SELECT 1 FROM `kobrelan`.`paylist` WHERE `pay_id` = ",
                " AND `pay_del` = 1", "删除了本条充值记录"};
    }
    return {"UPDATE `kobrelan`.`costlist` SET `cost_del` = 1,`cost_notes`='",
            "' WHERE `cost_id` = ", "SELECT 1 FROM `kobrelan`.`costlist` WHERE `cost_id` = ",
            " AND `cost_del` = 1", "删除了本条消费记录"};
}

}  // namespace

std::string RechargeQueryStatement(const std::string& card, bool use_range,
                                   const std::string& start, const std::string& end,
                                   bool newest_first) {
    return QueryStatement("SELECT * FROM `kobrelan`.`paylist` WHERE `pay_del` <> 1", "pay_time",
                          " ORDER BY `pay_id` DESC", card, use_range, start, end, newest_first);
}

std::string ConsumptionQueryStatement(const std::string& card, bool use_range,
                                      const std::string& start, const std::string& end,
                                      bool newest_first) {
    return QueryStatement("SELECT * FROM `kobrelan`.`costlist` WHERE `cost_del` <> 1", "cost_date",
                          " ORDER BY `cost_id` DESC", card, use_range, start, end, newest_first);
}

std::string DeletionNote(const OperatorTexts& op, double now, std::string_view last_piece) {
    std::string note = "管理员";
    note += op.boss_name;
    note += "[";
    note += op.boss_tel;
    note += "][";
    note += op.boss_id;
    note += "]于";
    note += FormatDateTimeText(now, "yyyy-MM-dd ", "hh:mm:ss");
    note += last_piece;
    return note;
}

std::string RecordDeletionNote(RecordPage page, const OperatorTexts& op, double now) {
    return DeletionNote(op, now, Deletion(page).note_last_piece);
}

std::optional<data::Write> RecordDeletionWrite(RecordPage page, const std::string& note,
                                               const std::string& id) {
    if (!IsWholeNumber(id)) {
        return std::nullopt;
    }
    const DeletionParts d = Deletion(page);
    // The note carries operator texts: escaped, so a quote cannot break it.
    data::Write write = data::RepeatableWrite(std::string(d.update_head) + EscapeSqlText(note) +
                                              std::string(d.update_tail) + id);
    write.check_sql = [check = std::string(d.check_head) + id +
                               std::string(d.check_tail)](const std::string&) { return check; };
    return write;
}

}  // namespace kob
