#pragma once
// The order a column sort gives the cells of a column, for each key kind:
// text in the collation order, date-times in time order, numbers by value.
#include <cstdint>
#include <string_view>
#include <vector>

namespace kob {

// Key kinds a header click handler passes.
inline constexpr int32_t kSortText = 1;
inline constexpr int32_t kSortDateTime = 2;
inline constexpr int32_t kSortNumber = 3;

// A cell as a number sorts by: leading blanks, an optional sign, digits with
// an optional fraction and exponent (anything after is ignored, no number at
// all is 0), cut toward zero and saturated to 32 bits. Locale-free.
int32_t NumberSortKey(std::string_view cell);

// An OLE date as a date-time sorts by: clamped to the dates a date box
// holds, and linear, as a negative OLE date counts its time of day forward
// from the start of its day.
double DateSortKey(double ole);

// The order cells sort in: order[i] is the index of the cell that goes i-th,
// equal keys keeping their order. Direction 1 ascends, 0 descends. Each
// cell's key is made once.
std::vector<int> SortedOrder(const std::vector<std::string_view>& cells, int32_t kind,
                             int32_t direction);

}  // namespace kob
