#pragma once
// The checkout's and the service item catalogue's statements, built from
// plain values: the handlers send them and the database tests run the very
// same texts.
#include <optional>
#include <string>

#include "data/db.h"
#include "data/table_rows.h"

namespace kob {

// The service items still offered.
std::string ServiceItemsQuery();
// A checkout, settled by its values. The record's cost_id is not written.
data::Write ConsumptionInsertWrite(const ConsumptionRecord& record);
// A new service item, settled by its values.
data::Write ServiceItemInsertWrite(const std::string& name, const std::string& money);
// A service item no longer offered; repeatable. None when id is not a whole
// number.
std::optional<data::Write> ServiceItemDeletionWrite(const std::string& id);

}  // namespace kob
