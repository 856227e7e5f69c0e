#pragma once
// Column sort of the three sortable report lists, with the header arrow.
// One direction for all lists: it flips on every sort, whatever the list.
// The key kinds and the order they give are platform/core/sort_order.h's.
#include <cstdint>

#include "platform/core/sort_order.h"

namespace kob {

class Program;
class ReportList;

// Sorts list by column with key kind, flips program.ListSortState's direction
// and moves the header arrow. A list without rows only flips the direction.
void SortListByColumn(Program& program, ReportList& list, int32_t column, int32_t kind);

}  // namespace kob
