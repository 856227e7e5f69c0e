#pragma once
// First letters of the pinyin readings of Chinese characters, and the member
// search built on them. Readings come from ICU's Han-Latin transliterator, remembered per
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

// The as-you-type member search. Each member gets its key once per load, so
// a keystroke only compares texts.
// What the search needs of a member's name, made once per row.
struct MemberSearchKey {
    std::string initials;     // one pinyin initial per character of the name
    std::string first_extra;  // further initials the first character may have (a surname reading)
    std::string folded_name;  // the name with ASCII letters in lower case
};

MemberSearchKey MakeMemberSearchKey(std::string_view name);

// A typed search text. Surrounding blanks are ignored. Digits only: the
// phone contains them. Letters only: the initials of the name contain them,
// case ignored. Anything else: the name contains the text, ASCII case ignored.
class MemberSearchQuery {
  public:
    enum class Kind { Empty, Phone, Initials, Name };
    explicit MemberSearchQuery(std::string_view text);
    Kind kind() const { return kind_; }
    bool Matches(const MemberSearchKey& key, std::string_view phone) const;

  private:
    Kind kind_ = Kind::Empty;
    std::string text_;  // trimmed; letters folded to lower case
};

}  // namespace kob
