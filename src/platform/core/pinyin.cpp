#include "platform/core/pinyin.h"

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace kob {
namespace {

// Surnames whose surname reading differs from the reading ICU gives for the
// character in ordinary text. Both initials, so either way of typing finds them.
struct SurnameReading {
    char32_t character;
    std::string_view initials;
};
constexpr SurnameReading kSurnames[] = {
    {U'曾', "cz"}, {U'单', "ds"}, {U'單', "ds"}, {U'乐', "ly"}, {U'樂', "ly"}, {U'解', "jx"},
    {U'仇', "cq"}, {U'区', "oq"}, {U'區', "oq"}, {U'查', "cz"}, {U'翟', "dz"}, {U'覃', "qt"},
    {U'种', "cz"}, {U'種', "cz"}, {U'折', "sz"}, {U'召', "sz"}, {U'秘', "bm"}, {U'繁', "fp"},
    {U'句', "gj"}, {U'长', "cz"}, {U'長', "cz"}, {U'重', "cz"}, {U'尉', "wy"}, {U'隗', "kw"},
    {U'宿', "sx"}, {U'适', "ks"}, {U'番', "fp"}, {U'祭', "jz"}, {U'谌', "cs"}, {U'佴', "en"},
};

char AsciiInitial(char32_t c) {
    if (c >= U'a' && c <= U'z') {
        return static_cast<char>(c);
    }
    if (c >= U'A' && c <= U'Z') {
        return static_cast<char>(c - U'A' + U'a');
    }
    return kNoInitial;
}

// ICU's transliterator is not safe for concurrent use; one instance behind
// the cache's lock.
class InitialCache {
  public:
    char Get(char32_t c) {
        std::lock_guard lock(mutex_);
        return GetLocked(c);
    }
    void AppendInitials(const icu::UnicodeString& text, std::string& out) {
        std::lock_guard lock(mutex_);
        for (int32_t i = 0; i < text.length(); i = text.moveIndex32(i, 1)) {
            out.push_back(GetLocked(static_cast<char32_t>(text.char32At(i))));
        }
    }

  private:
    char GetLocked(char32_t c) {
        if (c < 0x80) {
            return AsciiInitial(c);
        }
        auto it = cache_.find(c);
        if (it != cache_.end()) {
            return it->second;
        }
        char initial = Transliterate(c);
        cache_.emplace(c, initial);
        return initial;
    }

    char Transliterate(char32_t c) {
        if (!tried_) {
            tried_ = true;
            UErrorCode status = U_ZERO_ERROR;
            translit_.reset(icu::Transliterator::createInstance("Han-Latin; Latin-ASCII",
                                                                UTRANS_FORWARD, status));
            if (U_FAILURE(status)) {
                translit_.reset();
            }
        }
        if (!translit_) {
            return kNoInitial;
        }
        icu::UnicodeString s(static_cast<UChar32>(c));
        translit_->transliterate(s);
        for (int32_t i = 0; i < s.length(); ++i) {
            char initial = AsciiInitial(s.charAt(i));
            if (initial != kNoInitial) {
                return initial;
            }
            if (s.charAt(i) != u' ') {
                break;
            }
        }
        return kNoInitial;
    }

    std::mutex mutex_;
    std::unordered_map<char32_t, char> cache_;
    std::unique_ptr<icu::Transliterator> translit_;
    bool tried_ = false;
};

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Folded(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), FoldAscii);
    return out;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char32_t FirstCodePoint(std::string_view utf8) {
    const auto text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(std::min<size_t>(utf8.size(), 4))));
    return text.isEmpty() ? 0 : static_cast<char32_t>(text.char32At(0));
}

InitialCache& Cache() {
    static InitialCache cache;
    return cache;
}

}  // namespace

char PinyinInitial(char32_t c) {
    return Cache().Get(c);
}

std::string_view SurnameInitials(char32_t c) {
    for (const auto& s : kSurnames) {
        if (s.character == c) {
            return s.initials;
        }
    }
    return {};
}

std::string PinyinInitials(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    bool ascii = true;
    for (char ch : utf8) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) {
        for (char ch : utf8) {
            out.push_back(AsciiInitial(static_cast<unsigned char>(ch)));
        }
        return out;
    }
    const auto text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    Cache().AppendInitials(text, out);
    return out;
}

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
    } else if (std::all_of(text_.begin(), text_.end(),
                           [](char c) { return c >= '0' && c <= '9'; })) {
        kind_ = Kind::Phone;
    } else if (std::all_of(text_.begin(), text_.end(),
                           [](char c) { return c >= 'a' && c <= 'z'; })) {
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
