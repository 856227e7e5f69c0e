// The column sort's key kinds. The program makes each cell's key once
// (SortedOrder); the reference below compares the keys at every step, as the
// list view of the original did, and both must give the same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/datetime.h"
#include "platform/core/sort_order.h"
#include "platform/core/text.h"

namespace kob {
namespace {

// ------------------------------------------------------------ reference

// The key a row sorts by: the cell itself for text and date-time, the cell
// read as a number and written back as decimal text for numbers.
std::string MakeSortKey(std::string_view cell, int32_t kind) {
    if (kind == kSortNumber) {
        return IntText(NumberSortKey(cell));
    }
    return std::string(cell);
}

// 1 when a is later than b, -1 when earlier, 0 when equal (OLE dates).
int32_t CompareDateTimes(double a, double b) {
    const double x = DateSortKey(a);
    const double y = DateSortKey(b);
    return x > y ? 1 : x < y ? -1 : 0;
}

// What a sort is by: the key kind and the direction (1 ascending).
struct SortBy {
    int32_t kind = 0;
    int32_t direction = 0;
};

// <0 puts first before second. The direction swaps the two keys: the only
// thing that makes a sort descending.
int32_t CompareSortKeys(const SortBy& by, const std::string& first, const std::string& second) {
    const std::string& x = by.direction == 1 ? first : second;
    const std::string& y = by.direction == 1 ? second : first;
    switch (by.kind) {
        case kSortText:
            return CompareTextAnsi(x, y);
        case kSortDateTime:
            return CompareDateTimes(ParseDateTimeText(x), ParseDateTimeText(y));
        case kSortNumber: {
            const int32_t a = ToInt32(x), b = ToInt32(y);
            return a > b ? 1 : a < b ? -1 : 0;
        }
        default:
            return 0;
    }
}

// ---------------------------------------------------------------- keys

TEST(SortKey, NumbersAreReadAsNumbersAndWrittenBack) {
    struct Case {
        const char* cell;
        const char* key;
    };
    const Case cases[] = {
        {"", "0"},
        {"20", "20"},
        {"-7", "-7"},
        {"12.7", "12"},
        {"-12.7", "-12"},
        {" 5", "5"},
        {"+5", "5"},
        {"1e3", "1000"},
        {"abc", "0"},
        {"3元", "3"},
        {".5", "0"},
        {"inf", "0"},
        {"99999999999", "2147483647"},
        {"-99999999999", "-2147483648"},
        {"1e400", "2147483647"},
        {"1e-400", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MakeSortKey(c.cell, kSortNumber), c.key) << c.cell;
    }
    EXPECT_EQ(MakeSortKey(" 12.7", kSortText), " 12.7");
    EXPECT_EQ(MakeSortKey("2024-01-02 09:00:00", kSortDateTime), "2024-01-02 09:00:00");
}

TEST(CompareDateTimes, ChronologicalOnBothSidesOfTheEpoch) {
    struct Case {
        double a, b;
        int32_t result;
    };
    const Case cases[] = {
        {45000.5, 45000.25, 1},
        {45000.25, 45000.5, -1},
        {45000.5, 45000.5, 0},
        {-1.25, -1.5, -1},           // 29 Dec 1899: 06:00 before 12:00
        {-1.25, -0.5, -1},           // the day before the epoch comes before the epoch's day
        {-0.5, 0.0, 1},              // -0.5 is 30 Dec 1899 12:00, after its midnight
        {-1000000.0, -657434.0, 0},  // both clamped to 1 January 100
        {3000000.0, 2958465.0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareDateTimes(c.a, c.b), c.result) << c.a << " " << c.b;
    }
}

TEST(CompareSortKeys, DirectionSwapsTheKeys) {
    SortBy state;
    state.kind = kSortNumber;
    state.direction = 1;
    EXPECT_LT(CompareSortKeys(state, "-5", "0"), 0);
    EXPECT_LT(CompareSortKeys(state, "0", "20"), 0);
    EXPECT_GT(CompareSortKeys(state, "100", "20"), 0);
    EXPECT_EQ(CompareSortKeys(state, "7", "7"), 0);
    // Extreme values keep their order instead of wrapping.
    EXPECT_GT(CompareSortKeys(state, "2147483647", "-2147483648"), 0);
    state.direction = 0;
    EXPECT_GT(CompareSortKeys(state, "-5", "0"), 0);
    EXPECT_LT(CompareSortKeys(state, "100", "20"), 0);
    EXPECT_EQ(CompareSortKeys(state, "7", "7"), 0);
}

TEST(CompareSortKeys, TextAndDateKinds) {
    SortBy state;
    state.direction = 1;
    state.kind = kSortText;
    EXPECT_LT(CompareSortKeys(state, "", "a"), 0);
    EXPECT_LT(CompareSortKeys(state, "100", "20"), 0);
    EXPECT_LT(CompareSortKeys(state, "李", "张"), 0);
    state.kind = kSortDateTime;
    EXPECT_LT(CompareSortKeys(state, "2024-03-05 09:00:00", "2024-03-05 10:00:00"), 0);
    EXPECT_LT(CompareSortKeys(state, "2024-03-04 23:00:00", "2024-03-05 09:00:00"), 0);
    EXPECT_EQ(CompareSortKeys(state, "2024-03-05 09:00:00", "2024-03-05 09:00:00"), 0);
    state.direction = 0;
    EXPECT_GT(CompareSortKeys(state, "2024-03-05 09:00:00", "2024-03-05 10:00:00"), 0);
}

}  // namespace
}  // namespace kob

namespace kob {
namespace {

// Cells of every sort kind with many ties, empty cells and texts that are no
// number or date.
std::vector<std::string> GeneratedCells(int32_t kind, int n) {
    const std::vector<std::string> texts = {
        "",    "王小明", "王小", "李", "张三", "zhang", "Zhang", "a",      "A",       "b",
        "100", "20",     "喆",   "曾", "单",   " ",     "x y",   "王小明", "[1]店长", "1个项目",
    };
    const std::vector<std::string> dates = {
        "",           "2024-03-05 09:00:00", "2024-03-05 10:00:00", "2024-03-04 23:59:59",
        "2024/3/5",   "2024-03-05",          "1899-12-29 06:00:00", "1899-12-29 18:00:00",
        "not a date", "2024-02-30 10:00:00", "0099-01-01",          "9999-12-31 23:59:59",
    };
    const std::vector<std::string> numbers = {
        "",    "0",  "-5", "20", "100", "12.7", "-12.7", "abc",         "3元",
        "1e3", " 7", "+7", "7",  ".5",  "inf",  "nan",   "99999999999", "-99999999999",
    };
    const auto& pool = kind == kSortText ? texts : kind == kSortDateTime ? dates : numbers;
    std::vector<std::string> cells;
    uint32_t seed = 20240305;
    for (int i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        cells.push_back(pool[(seed >> 8) % pool.size()]);
    }
    return cells;
}

// The order a sort gives when it compares the keys at every step.
std::vector<int> OrderComparedAtEveryStep(const std::vector<std::string>& cells, int32_t kind,
                                          int32_t direction) {
    std::vector<std::string> keys;
    for (const auto& cell : cells) {
        keys.push_back(MakeSortKey(cell, kind));
    }
    std::vector<int> order(cells.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = static_cast<int>(i);
    }
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return CompareSortKeys({kind, direction}, keys[static_cast<size_t>(a)],
                               keys[static_cast<size_t>(b)]) < 0;
    });
    return order;
}

TEST(SortedOrder, KeysMadeOnceSortAsComparingAtEveryStep) {
    for (int32_t kind : {kSortText, kSortDateTime, kSortNumber}) {
        const std::vector<std::string> cells = GeneratedCells(kind, 3000);
        const std::vector<std::string_view> views(cells.begin(), cells.end());
        for (int32_t direction : {1, 0}) {
            SCOPED_TRACE(testing::Message() << "kind " << kind << " direction " << direction);
            EXPECT_EQ(SortedOrder(views, kind, direction),
                      OrderComparedAtEveryStep(cells, kind, direction));
        }
    }
}

}  // namespace
}  // namespace kob
