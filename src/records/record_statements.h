#pragma once
// The record pages' statements, built from plain values: the handlers send
// them and the database tests run the very same texts.
#include <optional>
#include <string>
#include <string_view>

#include "data/db.h"
#include "data/table_rows.h"

namespace kob {

// The page of 选择夹1 that a routine works on.
enum class RecordPage : int { Recharge = 1, Consumption = 2 };

// The record statements; an empty text when the card number cannot stand
// bare in the statement (the load then counts as failed).
std::string RechargeQueryStatement(const std::string& card, bool use_range,
                                   const std::string& start, const std::string& end,
                                   bool newest_first);
std::string ConsumptionQueryStatement(const std::string& card, bool use_range,
                                      const std::string& start, const std::string& end,
                                      bool newest_first);

// The note a deleted record carries: who deleted it and when (12-hour clock).
std::string DeletionNote(const OperatorTexts& op, double now, std::string_view last_piece);
// DeletionNote with the page's own last piece.
std::string RecordDeletionNote(RecordPage page, const OperatorTexts& op, double now);

// The soft deletion of the page's record id: its flag set and note written.
// Setting both again changes nothing, so it is repeatable; it took effect
// when the record carries the flag. None when id is not a whole number.
std::optional<data::Write> RecordDeletionWrite(RecordPage page, const std::string& note,
                                               const std::string& id);

}  // namespace kob
