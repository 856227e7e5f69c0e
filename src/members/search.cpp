#include "members/search.h"

#include <unicode/unistr.h>

#include <algorithm>

#include "platform/core/pinyin.h"

namespace kob {
namespace {

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Folded(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), FoldAscii);
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char32_t FirstCodePoint(std::string_view utf8) {
    const auto text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(std::min<size_t>(utf8.size(), 4))));
    return text.isEmpty() ? 0 : static_cast<char32_t>(text.char32At(0));
}

}  // namespace

MemberSearchKey MakeMemberSearchKey(std::string_view name) {
    MemberSearchKey key;
    key.initials = PinyinInitials(name);
    if (!name.empty() && static_cast<unsigned char>(name.front()) >= 0x80) {
        for (char c : SurnameInitials(FirstCodePoint(name))) {
            if (key.initials.empty() || c != key.initials.front()) {
                key.first_extra.push_back(c);
            }
        }
    }
    key.folded_name = Folded(name);
    return key;
}

MemberSearchQuery::MemberSearchQuery(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    text_ = Folded(text);
    if (text_.empty()) {
        kind_ = Kind::Empty;
    } else if (std::all_of(text_.begin(), text_.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        kind_ = Kind::Phone;
    } else if (std::all_of(text_.begin(), text_.end(), [](char c) { return c >= 'a' && c <= 'z'; })) {
        kind_ = Kind::Initials;
    } else {
        kind_ = Kind::Name;
    }
}

bool MemberSearchQuery::Matches(const MemberSearchKey& key, std::string_view phone) const {
    switch (kind_) {
        case Kind::Empty:
            return false;
        case Kind::Phone:
            return phone.find(text_) != std::string_view::npos;
        case Kind::Initials: {
            const std::string& s = key.initials;
            if (s.find(text_) != std::string::npos) {
                return true;
            }
            // The first character read as a surname.
            return !key.first_extra.empty() && s.size() >= text_.size() &&
                   key.first_extra.find(text_.front()) != std::string::npos &&
                   s.compare(1, text_.size() - 1, text_, 1) == 0;
        }
        case Kind::Name:
            return key.folded_name.find(text_) != std::string::npos;
    }
    return false;
}

}  // namespace kob
