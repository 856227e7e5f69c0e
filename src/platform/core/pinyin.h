#pragma once
// First letters of the pinyin readings of Chinese characters, for the member
// search. Readings come from ICU's Han-Latin transliterator, remembered per
// character, so a name costs a few map look-ups after the first sight.
#include <string>
#include <string_view>

namespace kob {

// Placeholder for a character that has no initial (digits, punctuation).
inline constexpr char kNoInitial = ' ';

// The lower-case initial of one code point: a Han character's everyday
// reading, a letter itself (full-width and accented letters too); kNoInitial
// for anything else.
char PinyinInitial(char32_t c);

// The initials of both readings of a surname character read differently as a
// surname (曾 "cz", 单 "ds", 乐 "ly"); empty for any other character.
std::string_view SurnameInitials(char32_t c);

// One initial per character of a UTF-8 text, kNoInitial where none.
std::string PinyinInitials(std::string_view utf8);

}  // namespace kob
