#include "checkout/checkout_statements.h"

#include <utility>

#include "platform/core/text.h"

namespace kob {

std::string ServiceItemsQuery() {
    return "SELECT * FROM `kobrelan`.`xmlist` WHERE `xm_del` <> 1";
}

data::Write ConsumptionInsertWrite(const ConsumptionRecord& record) {
    data::ColumnValues row = {
        {"cost_notes", record.cost_notes}, {"cost_money", record.cost_money},
        {"cost_del", record.cost_del},     {"cost_date", record.cost_date},
        {"xm_id", record.xm_id},           {"xm_name", record.xm_name},
        {"xm_money", record.xm_money},     {"user_id", record.user_id},
        {"user_name", record.user_name},   {"boss_id", record.boss_id},
        {"boss_name", record.boss_name},
    };
    return data::InsertRowWrite("costlist", "cost_id", std::move(row));
}

data::Write ServiceItemInsertWrite(const std::string& name, const std::string& money) {
    const std::string del = "0";
    return data::InsertWrite(
        "INSERT INTO `kobrelan`.`xmlist`(`xm_name`, `xm_money` ,`xm_del`) VALUES ('" +
            EscapeSqlText(name) + "', '" + EscapeSqlText(money) + "', '" + EscapeSqlText(del) +
            "')",
        "xmlist", "xm_id", {{"xm_name", name}, {"xm_money", money}, {"xm_del", del}});
}

std::optional<data::Write> ServiceItemDeletionWrite(const std::string& id) {
    if (!IsWholeNumber(id)) {
        return std::nullopt;
    }
    return data::RepeatableWrite("UPDATE `kobrelan`.`xmlist` SET `xm_del` = 1 WHERE `xm_id` = " +
                                 id);
}

}  // namespace kob
