#include "platform/core/datetime.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kob {
namespace {

double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    CivilTime t;
    t.year = y;
    t.month = mo;
    t.day = d;
    t.hour = h;
    t.minute = mi;
    t.second = s;
    return CivilToOle(t);
}

struct FormatCase {
    const char* what;
    double value;
    const char* date_picture;
    const char* time_picture;
    bool force_24_hour;
    const char* expected;
};

TEST(FormatDateTimeText, UsesTheWindowsPictures) {
    const double afternoon = At(2023, 5, 1, 13, 5, 9);
    const FormatCase cases[] = {
        {"recharge time, 24-hour forced", afternoon, "yyyy-MM-dd ", "hh:mm:ss", true,
         "2023-05-01 13:05:09"},
        {"deletion note, 12-hour clock", afternoon, "yyyy-MM-dd ", "hh:mm:ss", false,
         "2023-05-01 01:05:09"},
        {"half past midnight on the 12-hour clock", At(2023, 5, 1, 0, 30, 0), "", "hh:mm:ss", false,
         "12:30:00"},
        {"noon on the 12-hour clock", At(2023, 5, 1, 12, 0, 0), "", "hh:mm:ss", false, "12:00:00"},
        {"checkout time", afternoon, "yyyy-MM-dd ", "HH:mm:ss", false, "2023-05-01 13:05:09"},
        {"day only", At(2023, 5, 1), "yyyy-MM-dd", "", false, "2023-05-01"},
        {"first of the month", At(2023, 5, 17, 9, 0, 0), "yyyy/MM/01", "", false, "2023/05/01"},
        {"month bound", At(2023, 5, 17), "yyyy/MM/dd", "", false, "2023/05/17"},
        {"single letters have no leading zero", At(2023, 5, 7, 8, 4, 3), "yy-M-d ", "H:m:s", false,
         "23-5-7 8:4:3"},
        {"quoted literal", At(2023, 5, 1), "yyyy'y'MM", "", false, "2023y05"},
        {"first OLE day", 0.0, "yyyy-MM-dd ", "HH:mm:ss", false, "1899-12-30 00:00:00"},
        {"before the epoch, time counts forward", -1.25, "yyyy-MM-dd ", "HH:mm", false,
         "1899-12-29 06:00"},
        {"rounds to the second", At(2023, 5, 1, 23, 59, 59) + 0.6 / 86400, "yyyy-MM-dd ",
         "HH:mm:ss", false, "2023-05-02 00:00:00"},
        {"leap day", At(2024, 2, 29), "yyyy-MM-dd", "", false, "2024-02-29"},
        {"last accepted day", At(9999, 12, 31, 23, 59, 59), "yyyy-MM-dd ", "HH:mm:ss", false,
         "9999-12-31 23:59:59"},
        {"first accepted day", At(100, 1, 1), "yyyy-MM-dd", "", false, "0100-01-01"},
        {"after 9999", At(9999, 12, 31) + 1.0, "yyyy-MM-dd", "", false, ""},
        {"before 100", At(100, 1, 1) - 1.0, "yyyy-MM-dd", "", false, ""},
        {"far out of range", 1e12, "yyyy-MM-dd", "HH", false, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatDateTimeText(c.value, c.date_picture, c.time_picture, c.force_24_hour),
                  c.expected)
            << c.what;
    }
}

TEST(OleDates, CivilTimeRoundTrips) {
    for (const double ole : {0.0, 1.5, 45047.544, -700.75, 2958465.25, -657434.0}) {
        const auto t = OleToCivil(ole);
        ASSERT_TRUE(t.has_value()) << ole;
        EXPECT_NEAR(CivilToOle(*t), ole, 0.5 / 86400) << ole;
    }
    EXPECT_DOUBLE_EQ(At(2023, 5, 1), 45047.0);
    EXPECT_FALSE(OleToCivil(std::nan("")).has_value());
}

TEST(ParseDateTimeText, ReadsTheProgramsOwnTexts) {
    EXPECT_DOUBLE_EQ(ParseDateTimeText("2023-05-01"), At(2023, 5, 1));
    EXPECT_DOUBLE_EQ(ParseDateTimeText("2023/05/01"), At(2023, 5, 1));
    EXPECT_DOUBLE_EQ(ParseDateTimeText("2023-05-01 13:05:09"), At(2023, 5, 1, 13, 5, 9));
    EXPECT_DOUBLE_EQ(ParseDateTimeText("2023-5-1 8:05"), At(2023, 5, 1, 8, 5, 0));
    EXPECT_DOUBLE_EQ(ParseDateTimeText("2023-05-01 "), At(2023, 5, 1));
    // Later texts give larger values: list sorting compares these.
    EXPECT_LT(ParseDateTimeText("2023-05-01 23:59:59"), ParseDateTimeText("2023-05-02 00:00:00"));
    for (const char* bad : {"", "2023", "2023-13-01", "2023-02-30", "2023-05-01 25:00",
                            "2023-05/01", "01-05-2023", "2023-05-01x", "明天"}) {
        EXPECT_EQ(ParseDateTimeText(bad), 0) << bad;
    }
}

}  // namespace
}  // namespace kob
