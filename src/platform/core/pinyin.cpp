#include "platform/core/pinyin.h"

#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

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

InitialCache& Cache() {
    static InitialCache cache;
    return cache;
}

}  // namespace

char PinyinInitial(char32_t c) { return Cache().Get(c); }

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

}  // namespace kob
