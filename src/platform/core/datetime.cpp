#include "platform/core/datetime.h"

#include <cmath>
#include <cstdio>

namespace kob {
namespace {

// Proleptic Gregorian day numbers, as OLE dates count them.
constexpr int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, CivilTime& t) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
}

constexpr int64_t kOleEpoch = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) {
        return 29;
    }
    return kDays[month - 1];
}

int DayOfWeek(const CivilTime& t) {  // 0 = Sunday
    const int64_t days = DaysFromCivil(t.year, t.month, t.day);
    return static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
}

void AppendNumber(std::string& out, int value, int min_digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", min_digits, value);
    out += buf;
}

// Copies a quoted literal starting at picture[i] == '\''; "''" is one quote.
size_t AppendQuoted(std::string& out, std::string_view picture, size_t i) {
    ++i;
    while (i < picture.size()) {
        if (picture[i] == '\'') {
            if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                out += '\'';
                i += 2;
                continue;
            }
            return i + 1;
        }
        out += picture[i++];
    }
    return i;
}

// Walks a date or time picture: quoted literals are copied, each run of one
// letter goes to field(out, letter, run length), which returns false for a
// letter it does not know; such a run is copied as it stands.
template <typename Field>
std::string FormatPicture(std::string_view picture, Field&& field) {
    std::string out;
    size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            i = AppendQuoted(out, picture, i);
            continue;
        }
        size_t n = 1;
        while (i + n < picture.size() && picture[i + n] == c) {
            ++n;
        }
        if (!field(out, c, n)) {
            out.append(picture.substr(i, n));
        }
        i += n;
    }
    return out;
}

std::string FormatDate(const CivilTime& t, std::string_view picture) {
    static constexpr const char* kDayShort[] = {"周日", "周一", "周二", "周三",
                                                "周四", "周五", "周六"};
    static constexpr const char* kDayLong[] = {"星期日", "星期一", "星期二", "星期三",
                                               "星期四", "星期五", "星期六"};
    static constexpr const char* kMonthLong[] = {"一月", "二月", "三月",   "四月",
                                                 "五月", "六月", "七月",   "八月",
                                                 "九月", "十月", "十一月", "十二月"};
    return FormatPicture(picture, [&t](std::string& out, char c, size_t n) {
        switch (c) {
            case 'd':
                if (n <= 2) {
                    AppendNumber(out, t.day, static_cast<int>(n));
                } else {
                    out += (n == 3 ? kDayShort : kDayLong)[DayOfWeek(t)];
                }
                return true;
            case 'M':
                if (n <= 2) {
                    AppendNumber(out, t.month, static_cast<int>(n));
                } else if (n == 3) {
                    AppendNumber(out, t.month, 1);
                    out += "月";
                } else {
                    out += kMonthLong[t.month - 1];
                }
                return true;
            case 'y':
                if (n <= 2) {
                    AppendNumber(out, t.year % 100, static_cast<int>(n));
                } else {
                    AppendNumber(out, t.year, 4);
                }
                return true;
            default:
                return false;
        }
    });
}

std::string FormatTime(const CivilTime& t, std::string_view picture, bool force_24_hour) {
    return FormatPicture(picture, [&t, force_24_hour](std::string& out, char c, size_t n) {
        const int digits = n >= 2 ? 2 : 1;
        switch (c) {
            case 'h':
                if (force_24_hour) {
                    AppendNumber(out, t.hour, digits);
                } else {
                    // 0:30 is half past twelve on the 12-hour clock.
                    AppendNumber(out, t.hour % 12 == 0 ? 12 : t.hour % 12, digits);
                }
                return true;
            case 'H':
                AppendNumber(out, t.hour, digits);
                return true;
            case 'm':
                AppendNumber(out, t.minute, digits);
                return true;
            case 's':
                AppendNumber(out, t.second, digits);
                return true;
            case 't':
                out += t.hour < 12 ? (n == 1 ? "上" : "上午") : (n == 1 ? "下" : "下午");
                return true;
            default:
                return false;
        }
    });
}

// Reads 1..max_digits decimal digits at text[pos].
bool ReadNumber(std::string_view text, size_t& pos, size_t max_digits, int& value) {
    size_t n = 0;
    value = 0;
    while (pos < text.size() && n < max_digits && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++n;
    }
    return n > 0;
}

}  // namespace

std::optional<CivilTime> OleToCivil(double ole) {
    // The range VariantTimeToSystemTime accepts: any time of day on the
    // first to the last day.
    if (!(ole > kMinOleDate - 1.0 && ole < kMaxOleDate + 1.0)) {
        return std::nullopt;
    }
    // Before the epoch the fraction still counts forward from midnight:
    // -1.25 is 29 Dec 1899, 06:00.
    const double whole = std::trunc(ole);
    const double fraction = std::fabs(ole - whole);
    int64_t days = static_cast<int64_t>(whole);
    int64_t seconds = std::llround(fraction * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    CivilTime t;
    CivilFromDays(days + kOleEpoch, t);
    if (t.year > 9999) {
        return std::nullopt;
    }
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    t.millisecond = 0;
    return t;
}

double CivilToOle(const CivilTime& t) {
    const double days = static_cast<double>(DaysFromCivil(t.year, t.month, t.day) - kOleEpoch);
    const double fraction =
        (t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0) / 86400.0;
    return days >= 0 ? days + fraction : days - fraction;
}

std::string FormatDateTimeText(double value, std::string_view date_picture,
                               std::string_view time_picture, bool force_24_hour) {
    const auto t = OleToCivil(value);
    if (!t) {
        return {};
    }
    return FormatDate(*t, date_picture) + FormatTime(*t, time_picture, force_24_hour);
}

double ParseDateTimeText(std::string_view text) {
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    CivilTime t;
    if (!ReadNumber(text, pos, 4, t.year) || pos >= text.size()) {
        return 0;
    }
    const char separator = text[pos];
    if (separator != '-' && separator != '/') {
        return 0;
    }
    ++pos;
    if (!ReadNumber(text, pos, 2, t.month) || pos >= text.size() || text[pos] != separator) {
        return 0;
    }
    ++pos;
    if (!ReadNumber(text, pos, 2, t.day)) {
        return 0;
    }
    if (t.year < 100 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month)) {
        return 0;
    }
    t.hour = t.minute = t.second = 0;
    if (pos < text.size() && text[pos] == ' ') {
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
        if (pos < text.size()) {
            if (!ReadNumber(text, pos, 2, t.hour) || pos >= text.size() || text[pos] != ':') {
                return 0;
            }
            ++pos;
            if (!ReadNumber(text, pos, 2, t.minute)) {
                return 0;
            }
            if (pos < text.size() && text[pos] == ':') {
                ++pos;
                if (!ReadNumber(text, pos, 2, t.second)) {
                    return 0;
                }
            }
            if (t.hour > 23 || t.minute > 59 || t.second > 59) {
                return 0;
            }
        }
    }
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    if (pos != text.size()) {
        return 0;
    }
    return CivilToOle(t);
}

}  // namespace kob
