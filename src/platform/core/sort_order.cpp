#include "platform/core/sort_order.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <unordered_map>
#include <utility>

#include "platform/core/datetime.h"
#include "platform/core/text.h"

namespace kob {
namespace {

int32_t SaturateToInt32(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(v);  // toward zero
}

// A cell as a number: leading blanks, an optional sign, digits with an
// optional fraction and exponent; anything else after it is ignored, no
// number at all is 0. Locale-free, whatever the process's locale says.
double CellNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const size_t start = (!text.empty() && text.front() == '-') ? 1 : 0;
    if (text.size() <= start ||
        !(std::isdigit(static_cast<unsigned char>(text[start])) || text[start] == '.')) {
        return 0;  // no number here (also keeps "inf" and "nan" out)
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the sign of the exponent tells which.
        const std::string_view number(text.data(), static_cast<size_t>(end - text.data()));
        const size_t e = number.find_first_of("eE");
        if (e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-') {
            return 0;
        }
        return start == 1 ? -std::numeric_limits<double>::max()
                          : std::numeric_limits<double>::max();
    }
    return ec == std::errc() ? value : 0;
}

// Sorts the cells' indices by their keys; equal keys keep their order.
// Descending compares the keys the other way round.
template <typename Key>
std::vector<int> OrderByKeys(std::vector<std::pair<Key, int>> keyed, int32_t direction) {
    if (direction == 1) {
        std::sort(keyed.begin(), keyed.end());
    } else {
        std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
            return b.first < a.first || (!(a.first < b.first) && a.second < b.second);
        });
    }
    std::vector<int> order(keyed.size());
    for (size_t i = 0; i < keyed.size(); ++i) {
        order[i] = keyed[i].second;
    }
    return order;
}

// Text keys: each distinct text gets its collation key once, and every cell
// the rank of its text among them (equal collation, equal rank).
std::vector<std::pair<uint32_t, int>> TextRanks(const std::vector<std::string_view>& cells) {
    std::unordered_map<std::string_view, uint32_t> id_of_text;
    std::vector<std::string_view> texts;
    std::vector<uint32_t> id_of_cell(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        const auto [at, added] =
            id_of_text.try_emplace(cells[i], static_cast<uint32_t>(texts.size()));
        if (added) {
            texts.push_back(cells[i]);
        }
        id_of_cell[i] = at->second;
    }
    std::vector<std::string> keys(texts.size());
    for (size_t t = 0; t < texts.size(); ++t) {
        keys[t] = TextSortKey(texts[t]);
    }
    std::vector<uint32_t> by_key(texts.size());
    std::iota(by_key.begin(), by_key.end(), 0u);
    std::sort(by_key.begin(), by_key.end(),
              [&keys](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
    std::vector<uint32_t> rank(texts.size());
    for (size_t j = 1; j < by_key.size(); ++j) {
        rank[by_key[j]] = rank[by_key[j - 1]] + (keys[by_key[j]] == keys[by_key[j - 1]] ? 0 : 1);
    }
    std::vector<std::pair<uint32_t, int>> keyed(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) {
        keyed[i] = {rank[id_of_cell[i]], static_cast<int>(i)};
    }
    return keyed;
}

}  // namespace

int32_t NumberSortKey(std::string_view cell) {
    return SaturateToInt32(CellNumber(cell));
}

double DateSortKey(double d) {
    if (d < kMinOleDate) {
        d = kMinOleDate;
    } else if (d > kMaxOleDate) {
        d = kMaxOleDate;
    }
    if (d >= 0) {
        return d;
    }
    const double whole = std::trunc(d);
    return 2 * whole - d;
}

std::vector<int> SortedOrder(const std::vector<std::string_view>& cells, int32_t kind,
                             int32_t direction) {
    switch (kind) {
        case kSortText:
            return OrderByKeys(TextRanks(cells), direction);
        case kSortDateTime: {
            std::vector<std::pair<double, int>> keyed(cells.size());
            for (size_t i = 0; i < cells.size(); ++i) {
                keyed[i] = {DateSortKey(ParseDateTimeText(cells[i])), static_cast<int>(i)};
            }
            return OrderByKeys(std::move(keyed), direction);
        }
        case kSortNumber: {
            std::vector<std::pair<int32_t, int>> keyed(cells.size());
            for (size_t i = 0; i < cells.size(); ++i) {
                keyed[i] = {NumberSortKey(cells[i]), static_cast<int>(i)};
            }
            return OrderByKeys(std::move(keyed), direction);
        }
        default: {
            std::vector<int> order(cells.size());  // every pair compares equal
            std::iota(order.begin(), order.end(), 0);
            return order;
        }
    }
}

}  // namespace kob
