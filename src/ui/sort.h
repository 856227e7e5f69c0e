#pragma once
// Column sort of the three sortable report lists, with the header arrow.
// One direction for all lists: it flips on every sort, whatever the list.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kob {

class Program;
class ReportList;
struct SortState;

// Key kinds a header click handler passes.
inline constexpr int32_t kSortText = 1;
inline constexpr int32_t kSortDateTime = 2;
inline constexpr int32_t kSortNumber = 3;

// Sorts list by column with key kind, flips program.ListSortState's direction
// and moves the header arrow. A list without rows only flips the direction.
void SortListByColumn(Program& program, ReportList& list, int32_t column, int32_t kind);

// The key a row sorts by: the cell itself for text and date-time, the cell
// read as a number and written back as decimal text for numbers.
std::string MakeSortKey(std::string_view cell, int32_t kind);

// <0 puts first before second. The direction swaps the two keys: the only
// thing that makes a sort descending.
int32_t CompareSortKeys(const SortState& state, const std::string& first,
                        const std::string& second);

// The order SortListByColumn gives cells: order[i] is the index of the cell
// that goes i-th, equal keys keeping their order. Each cell's key is made and
// converted once, and compared as CompareSortKeys compares the keys.
std::vector<int> SortedOrder(const std::vector<std::string_view>& cells, int32_t kind,
                             int32_t direction);

// 1 when a is later than b, -1 when earlier, 0 when equal (OLE dates).
int32_t CompareDateTimes(double a, double b);

// The arrow bookkeeping on ListSortState.list after a sort by column.
void UpdateSortArrow(Program& program, int32_t column);

}  // namespace kob
