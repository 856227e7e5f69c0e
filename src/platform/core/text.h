#pragma once
// Text helpers shared by every subsystem. Program texts are UTF-8; the
// database and wyf.ini hold GBK.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kob {

// The one text-to-integer rule for money, ids and counts: optional leading
// blanks, an optional sign, then the leading decimal digits; anything after
// them is ignored. No digits gives 0. Saturates at the 32-bit limits.
int32_t ToInt32(std::string_view text);

// Decimal text of an integer.
std::string IntText(int64_t value);

// True when text is an optional minus followed by one or more digits and
// nothing else, and fits in 32 bits: safe to stand bare in a statement.
bool IsWholeNumber(std::string_view text);

// UTF-8 to GBK; nullopt when a character has no GBK form (an emoji, say).
std::optional<std::string> Utf8ToGbk(std::string_view utf8);
// GBK to UTF-8; bytes that are not GBK become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);
// GbkToUtf8(gbk) appended to out, without a conversion handle for the
// common case (ASCII and two-byte characters): for a million cells.
void AppendGbkAsUtf8(std::string& out, std::string_view gbk);

// True when a gbk column stores the character as Utf8ToGbk sends it: it
// converts to one byte below 0x80 or to two bytes. The euro sign converts to
// the single byte 0x80 (code page 936), which the server's gbk refuses.
bool GbkHolds(char32_t c);

// Escapes a text for use between single quotes in a statement: \0, \n, \r,
// \, ', " and Ctrl-Z get a backslash. UTF-8 never holds these bytes inside a
// character, so escaping before the GBK conversion is safe on a gbk connection.
std::string EscapeSqlText(std::string_view utf8);

// text with every from replaced by to, left to right; an empty from changes
// nothing.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

// The text between the first left delimiter (searched from the 1-based byte
// position start of the GBK text; 0 is the first byte) and the next right
// delimiter; "" when either is missing. "#引号" in a delimiter stands for a
// double quote. Matches start on character boundaries only.
std::string ExtractTextBetween(const std::string& text, const std::string& left,
                               const std::string& right, int start = 0, bool ignore_case = false);

// Text comparison as lstrcmpA does it on a Chinese system: digits, then Latin
// letters, then Han characters in pinyin order; case-sensitive with lower
// case first. -1, 0 or 1.
int CompareTextAnsi(std::string_view a, std::string_view b);

// A key whose byte order (std::string's operator<) is CompareTextAnsi's
// order, for sorting many texts: compute each key once.
std::string TextSortKey(std::string_view utf8);

}  // namespace kob
