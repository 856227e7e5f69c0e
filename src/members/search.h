#pragma once
// The as-you-type member search: what a typed text matches. Each spare-list
// row gets its key once per load, so a keystroke only compares texts.
#include <string>
#include <string_view>

namespace kob {

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
