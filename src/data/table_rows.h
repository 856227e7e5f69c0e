#pragma once
// Table rows as the program carries them: texts in the table's column order.
#include <string>

namespace kob {

// The operator found at the login: boss_id, boss_name, boss_tel.
struct OperatorTexts {
    std::string boss_id;
    std::string boss_name;
    std::string boss_tel;
};

// One paylist row: stored by the recharge panel.
struct RechargeRecord {
    std::string pay_id;
    std::string pay_time;
    std::string pay_money;
    std::string pay_give;
    std::string pay_total;
    std::string pay_method;
    std::string pay_notes;
    std::string pay_del;
    std::string user_id;
    std::string user_name;
    std::string boss_id;
    std::string boss_name;
};

// One costlist row: stored by the checkout, read back by the record pages.
struct ConsumptionRecord {
    std::string cost_id;
    std::string cost_notes;
    std::string cost_money;
    std::string cost_del;
    std::string cost_date;
    std::string xm_id;
    std::string xm_name;
    std::string xm_money;
    std::string user_id;
    std::string user_name;
    std::string boss_id;
    std::string boss_name;
};

}  // namespace kob
