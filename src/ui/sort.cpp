#include "ui/sort.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "app/program.h"
#include "platform/core/datetime.h"
#include "platform/core/text.h"
#include "platform/gui/controls.h"

namespace kob {
namespace {

constexpr int kNoImage = -1;
constexpr int kArrowUp = 0;
constexpr int kArrowDown = 1;

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

// A negative OLE date counts its time of day forward from the start of its day.
double LinearOleDate(double d) {
    if (d < kMinOleDate) {
        d = kMinOleDate;
    } else if (d > 2958465.0) {
        d = 2958465.0;
    }
    if (d >= 0) {
        return d;
    }
    const double whole = std::trunc(d);
    return 2 * whole - d;
}

int ImageOf(const ReportList& list, int32_t column) {
    if (column < 0 || column >= list.ColumnCount()) {
        return kNoImage;  // the shared arrow column may lie beyond this list
    }
    return list.HeaderImage(column);
}

}  // namespace

std::string MakeSortKey(std::string_view cell, int32_t kind) {
    if (kind == kSortNumber) {
        return IntText(SaturateToInt32(CellNumber(cell)));
    }
    return std::string(cell);
}

int32_t CompareDateTimes(double a, double b) {
    const double x = LinearOleDate(a);
    const double y = LinearOleDate(b);
    if (x > y) {
        return 1;
    }
    if (x < y) {
        return -1;
    }
    return 0;
}

int32_t CompareSortKeys(const SortState& state, const std::string& first,
                        const std::string& second) {
    const std::string& x = state.direction == 1 ? first : second;
    const std::string& y = state.direction == 1 ? second : first;
    switch (state.kind) {
        case kSortText:
            return CompareTextAnsi(x, y);
        case kSortDateTime:
            return CompareDateTimes(ParseDateTimeText(x), ParseDateTimeText(y));
        case kSortNumber:
            // Saturated rather than wrapped, so extreme values keep their order.
            return SaturateToInt32(static_cast<double>(ToInt32(x)) -
                                   static_cast<double>(ToInt32(y)));
        default:
            return 0;
    }
}

void UpdateSortArrow(Program& program, int32_t column) {
    SortState& state = program.ListSortState;
    ReportList& list = *state.list;
    if (column == state.arrow_column) {
        list.SetHeaderImage(column, ImageOf(list, column) == kArrowUp ? kArrowDown : kArrowUp);
        return;
    }
    const int old_image = ImageOf(list, state.arrow_column);
    list.SetHeaderImage(column, old_image == kArrowUp ? kArrowUp : kArrowDown);
    if (state.arrow_column >= 0 && state.arrow_column < list.ColumnCount()) {
        list.SetHeaderImage(state.arrow_column, kNoImage);
    }
    state.arrow_column = column;
}

void SortListByColumn(Program& program, ReportList& list, int32_t column, int32_t kind) {
    SortState& state = program.ListSortState;
    state.list = &list;
    list.SetHeaderArrows(false);
    list.SetHeaderArrows(true);
    state.direction = 1 - state.direction;
    state.column = column;
    state.kind = kind;
    const int n = list.RowCount();
    if (n == 0) {
        return;
    }
    std::vector<std::string> keys;
    keys.reserve(static_cast<size_t>(n));
    for (int r = 0; r < n; ++r) {
        keys.push_back(MakeSortKey(list.Cell(r, column), kind));
    }
    list.SortRows([&](int a, int b) {
        return CompareSortKeys(state, keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]) <
               0;
    });
    UpdateSortArrow(program, column);
}

}  // namespace kob
