#include "platform/core/text.h"

#include <iconv.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>

namespace kob {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool IsAscii(std::string_view text) {
    // Eight bytes at a time: most texts the program converts are short.
    size_t i = 0;
    uint64_t high = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        high |= word;
    }
    for (; i < text.size(); ++i) {
        high |= static_cast<unsigned char>(text[i]);
    }
    return (high & 0x8080808080808080ULL) == 0;
}

// One pair of conversion handles per thread: iconv_t keeps state and may not
// be shared, and opening one per call costs more than the conversion.
class Converters {
  public:
    Converters() : to_gbk_(iconv_open("GBK", "UTF-8")), to_utf8_(iconv_open("UTF-8", "GBK")) {}
    ~Converters() {
        if (to_gbk_ != kNone) {
            iconv_close(to_gbk_);
        }
        if (to_utf8_ != kNone) {
            iconv_close(to_utf8_);
        }
    }
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;

    static Converters& ThisThread() {
        thread_local Converters converters;
        return converters;
    }

    // strict: any byte sequence that does not convert fails the whole text;
    // otherwise it becomes U+FFFD and conversion goes on with the next byte.
    std::optional<std::string> Run(bool to_gbk, std::string_view input) {
        iconv_t cd = to_gbk ? to_gbk_ : to_utf8_;
        const bool strict = to_gbk;
        if (cd == kNone) {
            return std::nullopt;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        std::string out(input.size() * 2 + 16, '\0');
        char* in = const_cast<char*>(input.data());
        size_t in_left = input.size();
        char* o = out.data();
        size_t o_left = out.size();
        auto grow = [&] {
            const size_t used = static_cast<size_t>(o - out.data());
            out.resize(out.size() * 2);
            o = out.data() + used;
            o_left = out.size() - used;
        };
        while (in_left > 0) {
            const size_t r = iconv(cd, &in, &in_left, &o, &o_left);
            if (r != static_cast<size_t>(-1)) {
                if (strict && r > 0) {
                    return std::nullopt;  // converted only approximately
                }
                break;
            }
            if (errno == E2BIG) {
                grow();
                continue;
            }
            if (strict) {
                return std::nullopt;
            }
            if (o_left < 3) {
                grow();
            }
            std::memcpy(o, "\xEF\xBF\xBD", 3);
            o += 3;
            o_left -= 3;
            ++in;
            --in_left;
        }
        out.resize(static_cast<size_t>(o - out.data()));
        return out;
    }

  private:
    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);
    iconv_t to_gbk_;
    iconv_t to_utf8_;
};

}  // namespace

int32_t ToInt32(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) {
            value = kLimit;  // saturate; more digits change nothing
        }
        ++i;
    }
    if (negative) {
        return static_cast<int32_t>(-value);
    }
    return static_cast<int32_t>(value == kLimit ? kLimit - 1 : value);
}

std::string IntText(int64_t value) {
    return std::to_string(value);
}

bool IsWholeNumber(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    }
    if (i == text.size()) {
        return false;
    }
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) {
            return false;
        }
    }
    return negative || value <= std::numeric_limits<int32_t>::max();
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    return Converters::ThisThread().Run(true, utf8);
}

bool GbkHolds(char32_t c) {
    if (c < 0x80) {
        return true;
    }
    if (c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return false;  // GBK has nothing beyond the basic plane
    }
    char utf8[3];
    size_t n = 0;
    if (c < 0x800) {
        utf8[n++] = static_cast<char>(0xC0 | (c >> 6));
    } else {
        utf8[n++] = static_cast<char>(0xE0 | (c >> 12));
        utf8[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    utf8[n++] = static_cast<char>(0x80 | (c & 0x3F));
    const std::optional<std::string> gbk = Converters::ThisThread().Run(true, {utf8, n});
    return gbk && gbk->size() == 2;
}

namespace {

std::string GbkToUtf8ByIconv(std::string_view gbk) {
    auto out = Converters::ThisThread().Run(false, gbk);
    return out ? std::move(*out) : std::string();
}

// The UTF-8 form of every two-byte GBK character, taken from iconv once, so
// both paths give the same bytes. Lead 0x81..0xFE, trail 0x40..0xFE.
class GbkTable {
  public:
    static constexpr unsigned kLeads = 0xFE - 0x81 + 1;
    static constexpr unsigned kTrails = 0xFE - 0x40 + 1;
    struct Utf8 {
        uint8_t size;  // 0: no single character; the cell takes the slow path
        char bytes[3];
    };

    static const GbkTable& Get() {
        static const GbkTable table;
        return table;
    }

    const Utf8& At(unsigned char lead, unsigned char trail) const {
        return chars_[(lead - 0x81u) * kTrails + (trail - 0x40u)];
    }

  private:
    GbkTable() {
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const std::string utf8 = GbkToUtf8ByIconv(std::string_view(pair, 2));
                Utf8& entry = chars_[(lead - 0x81) * kTrails + (trail - 0x40)];
                const auto first = utf8.empty() ? 0u : static_cast<unsigned char>(utf8[0]);
                // Exactly one character that is not U+FFFD.
                const size_t expected = first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
                if (utf8.empty() || utf8.size() != expected || utf8.size() > 3 ||
                    utf8 == "\xEF\xBF\xBD") {
                    entry.size = 0;
                    continue;
                }
                entry.size = static_cast<uint8_t>(utf8.size());
                std::memcpy(entry.bytes, utf8.data(), utf8.size());
            }
        }
    }
    Utf8 chars_[kLeads * kTrails] = {};
};

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    std::string out;
    AppendGbkAsUtf8(out, gbk);
    return out;
}

void AppendGbkAsUtf8(std::string& out, std::string_view gbk) {
    if (IsAscii(gbk)) {
        out.append(gbk);  // ids, amounts, dates: the same bytes
        return;
    }
    const size_t start = out.size();
    // Two bytes give at most three: room for the whole text at once.
    out.resize(start + gbk.size() + gbk.size() / 2 + 1);
    char* o = out.data() + start;
    const auto* in = reinterpret_cast<const unsigned char*>(gbk.data());
    const auto* const end = in + gbk.size();
    const GbkTable* table = nullptr;
    while (in < end) {
        if (*in < 0x80) {
            *o++ = static_cast<char>(*in++);
            continue;
        }
        if (end - in < 2 || *in == 0x80 || *in == 0xFF || in[1] < 0x40 || in[1] == 0xFF) {
            break;  // not a two-byte character: iconv decides
        }
        if (table == nullptr) {
            table = &GbkTable::Get();
        }
        const GbkTable::Utf8& c = table->At(in[0], in[1]);
        if (c.size == 0) {
            break;
        }
        std::memcpy(o, c.bytes, 3);  // the room above allows the spare bytes
        o += c.size;
        in += 2;
    }
    if (in < end) {
        out.resize(start);
        out += GbkToUtf8ByIconv(gbk);
        return;
    }
    out.resize(static_cast<size_t>(o - out.data()));
}

std::string EscapeSqlText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + 8);
    for (const char c : utf8) {
        switch (c) {
            case '\0':
                out += "\\0";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\x1a':
                out += "\\Z";
                break;
            case '\\':
            case '\'':
            case '"':
                out += '\\';
                out += c;
                break;
            default:
                out += c;
        }
    }
    return out;
}

namespace {

// The collator of a Chinese system: pinyin order for Han characters, case
// counting with lower case first (ICU's tertiary default). ICU's zh rules put
// Han before Latin; Windows keeps the scripts in their root order (digits,
// Latin, ..., Han), so the reordering is switched off. One per thread: a
// collator is not to be shared.
class Collator {
  public:
    Collator() {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* opened = ucol_open("zh_CN", &status);
        if (U_FAILURE(status)) {
            return;
        }
        collator_.reset(opened);
        ucol_setStrength(opened, UCOL_TERTIARY);
        ucol_setAttribute(opened, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
        ucol_setAttribute(opened, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
        const int32_t root_order[] = {UCOL_REORDER_CODE_NONE};
        ucol_setReorderCodes(opened, root_order, 1, &status);
    }

    static Collator& ThisThread() {
        thread_local Collator collator;
        return collator;
    }

    int Compare(std::string_view a, std::string_view b) const {
        if (collator_ == nullptr) {
            return a.compare(b);
        }
        UErrorCode status = U_ZERO_ERROR;
        const UCollationResult r =
            ucol_strcollUTF8(collator_.get(), a.data(), static_cast<int32_t>(a.size()), b.data(),
                             static_cast<int32_t>(b.size()), &status);
        if (U_FAILURE(status)) {
            return a.compare(b);
        }
        return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
    }

    std::string SortKey(std::string_view text) const {
        if (collator_ == nullptr) {
            return std::string(text);
        }
        UErrorCode status = U_ZERO_ERROR;
        std::u16string utf16(text.size() + 1, u'\0');
        int32_t length = 0;
        u_strFromUTF8WithSub(reinterpret_cast<UChar*>(utf16.data()),
                             static_cast<int32_t>(utf16.size()), &length, text.data(),
                             static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
        if (U_FAILURE(status)) {
            return std::string(text);
        }
        std::string key(text.size() * 4 + 16, '\0');
        const auto* source = reinterpret_cast<const UChar*>(utf16.data());
        int32_t needed =
            ucol_getSortKey(collator_.get(), source, length, reinterpret_cast<uint8_t*>(key.data()),
                            static_cast<int32_t>(key.size()));
        if (needed > static_cast<int32_t>(key.size())) {
            key.resize(static_cast<size_t>(needed));
            needed = ucol_getSortKey(collator_.get(), source, length,
                                     reinterpret_cast<uint8_t*>(key.data()), needed);
        }
        key.resize(needed > 0 ? static_cast<size_t>(needed - 1) : 0);  // without the final 0
        return key;
    }

  private:
    struct Close {
        void operator()(UCollator* c) const { ucol_close(c); }
    };
    std::unique_ptr<UCollator, Close> collator_;
};

// Bytes of the GBK character that starts at text[at].
size_t GbkCharLength(std::string_view text, size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    return lead >= 0x81 && lead <= 0xFE && at + 1 < text.size() ? 2 : 1;
}

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when needle stands at text[at], compared character by character;
// ignore_case folds single-byte letters only.
bool MatchesAt(std::string_view text, size_t at, std::string_view needle, bool ignore_case) {
    if (at + needle.size() > text.size()) {
        return false;
    }
    for (size_t i = 0; i < needle.size();) {
        const size_t len = GbkCharLength(text, at + i);
        if (len == 1) {
            const char a = text[at + i], b = needle[i];
            if (ignore_case ? FoldAscii(a) != FoldAscii(b) : a != b) {
                return false;
            }
        } else if (text.substr(at + i, len) != needle.substr(i, len)) {
            return false;
        }
        i += len;
    }
    return true;
}

// The first character position at or after from where needle stands.
std::optional<size_t> FindFrom(std::string_view text, size_t from, std::string_view needle,
                               bool ignore_case) {
    for (size_t at = 0; at < text.size(); at += GbkCharLength(text, at)) {
        if (at >= from && MatchesAt(text, at, needle, ignore_case)) {
            return at;
        }
    }
    return std::nullopt;
}

}  // namespace

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return text;
    }
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string ExtractTextBetween(const std::string& text, const std::string& left,
                               const std::string& right, int start, bool ignore_case) {
    const std::string left_mark = ReplaceAll(left, "#引号", "\"");
    const std::string right_mark = ReplaceAll(right, "#引号", "\"");
    // Positions count bytes of the GBK text; a text GBK cannot hold is
    // searched as it is (UTF-8 keeps ASCII bytes out of its characters).
    const auto gbk_text = Utf8ToGbk(text);
    const auto gbk_left = Utf8ToGbk(left_mark);
    const auto gbk_right = Utf8ToGbk(right_mark);
    const bool gbk = gbk_text && gbk_left && gbk_right;
    const std::string_view t = gbk ? *gbk_text : text;
    const std::string_view l = gbk ? *gbk_left : left_mark;
    const std::string_view r = gbk ? *gbk_right : right_mark;
    const size_t from = start > 1 ? static_cast<size_t>(start - 1) : 0;
    const auto p = FindFrom(t, from, l, ignore_case);
    if (!p) {
        return {};
    }
    const size_t after_left = *p + l.size();
    const auto q = FindFrom(t, after_left, r, ignore_case);
    if (!q) {
        return {};
    }
    const std::string_view between = t.substr(after_left, *q - after_left);
    return gbk ? GbkToUtf8(between) : std::string(between);
}

int CompareTextAnsi(std::string_view a, std::string_view b) {
    return Collator::ThisThread().Compare(a, b);
}

std::string TextSortKey(std::string_view utf8) {
    return Collator::ThisThread().SortKey(utf8);
}

}  // namespace kob
