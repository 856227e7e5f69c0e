#pragma once
// OLE automation dates (days since 1899-12-30, time of day as the fraction)
// and the Windows date/time pictures the program formats them with.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kob {

struct CivilTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The dates the program handles: the first and the last day, and the last
// second of the last day.
constexpr double kMinOleDate = -657434.0;                        // 100-01-01
constexpr double kMaxOleDate = 2958465.0;                        // 9999-12-31
constexpr double kMaxOleTime = kMaxOleDate + 86399.0 / 86400.0;  // 9999-12-31 23:59:59

// Whole seconds, rounded as VariantTimeToSystemTime rounds; nullopt outside
// the accepted range.
std::optional<CivilTime> OleToCivil(double ole);
double CivilToOle(const CivilTime& t);

// Date part with date_picture, then time part with time_picture; "yyyy" "MM"
// "dd" "HH" "hh" "mm" "ss" are replaced, everything else is copied. "hh" is the
// 12-hour clock unless force_24_hour. Empty when the value is out of range.
std::string FormatDateTimeText(double value, std::string_view date_picture,
                               std::string_view time_picture = {}, bool force_24_hour = false);

// The program's text-to-date-time conversion: "yyyy-MM-dd", "yyyy/MM/dd",
// optionally followed by a blank and "hh:mm[:ss]". Anything else gives 0.
double ParseDateTimeText(std::string_view text);

// Day arithmetic adds whole days.
inline double AddDays(double ole, int days) {
    return ole + days;
}

}  // namespace kob
