#include "operators/operator_statements.h"

#include "platform/core/text.h"

namespace kob {
namespace {

std::string SameLoginName(const std::string& login_name) {
    return "SELECT 1 FROM `kobrelan`.`bosslist` WHERE `boss_tel` = '" + EscapeSqlText(login_name) +
           "'";
}

}  // namespace

std::string OperatorListQuery() {
    return "SELECT * FROM `kobrelan`.`bosslist`";
}

std::string OperatorLoginQuery(const std::string& login_name) {
    return "SELECT * FROM bosslist WHERE boss_tel = '" + EscapeSqlText(login_name) + "'";
}

data::Write PasswordChangeWrite(const std::string& login_name, const std::string& password) {
    // Setting the same password again is harmless: repeated if need be.
    return data::RepeatableWrite("UPDATE `kobrelan`.`bosslist` SET `boss_key` = '" +
                                 EscapeSqlText(password) + "' WHERE `boss_tel` = '" +
                                 EscapeSqlText(login_name) + "'");
}

data::Write OperatorInsertWrite(const std::string& login_name, const std::string& name,
                                const std::string& password) {
    // The login finds an account by its login name as the server compares
    // it: a second account under a name it already holds could never log in.
    const std::string sql =
        "INSERT INTO `kobrelan`.`bosslist`(`boss_tel`, `boss_name`, "
        "`boss_key`) SELECT '" +
        EscapeSqlText(login_name) + "', '" + EscapeSqlText(name) + "', '" +
        EscapeSqlText(password) + "' FROM DUAL WHERE NOT EXISTS (" + SameLoginName(login_name) +
        ")";
    return data::InsertWrite(
        sql, "bosslist", "boss_id",
        {{"boss_tel", login_name}, {"boss_name", name}, {"boss_key", password}});
}

std::string OperatorInsertPrecheck(const data::Write& insert, const std::string& login_name) {
    return "SELECT (" + insert.mark_sql + ") AS `mark`, EXISTS(" + SameLoginName(login_name) +
           ") AS `taken`";
}

}  // namespace kob
