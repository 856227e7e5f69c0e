#include "platform/core/text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>
#include <string>
#include <vector>

namespace kob {
namespace {

struct IntCase {
    const char* text;
    int32_t expected;
};

TEST(ToInt32, FollowsTheOneRule) {
    const IntCase cases[] = {
        {"", 0},
        {"0", 0},
        {"123", 123},
        {"007", 7},
        {"  42", 42},
        {"\t-15", -15},
        {"+8", 8},
        {"-", 0},
        {"abc", 0},
        {"12abc", 12},
        {"3.75", 3},
        {"1 2", 1},
        {"元5", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToInt32(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(IsWholeNumber, AcceptsOnlyBareIntegersThatFit) {
    for (const char* yes : {"0", "17", "-3", "2147483647", "-2147483648", "0012"}) {
        EXPECT_TRUE(IsWholeNumber(yes)) << yes;
    }
    for (const char* no : {"", "-", "+5", " 5", "5 ", "1e3", "1.0", "2147483648", "-2147483649",
                           "5 OR 1=1", "１２"}) {
        EXPECT_FALSE(IsWholeNumber(no)) << no;
    }
}

TEST(GbkConversion, RoundTripsChineseText) {
    const std::string text = "张三丰 足疗88元 嘰";
    const auto gbk = Utf8ToGbk(text);
    ASSERT_TRUE(gbk.has_value());
    EXPECT_EQ(*gbk,
              "\xD5\xC5\xC8\xFD\xB7\xE1 \xD7\xE3\xC1\xC6"
              "88\xD4\xAA \x87\x5C");
    EXPECT_EQ(GbkToUtf8(*gbk), text);
}

TEST(GbkConversion, EuroSignIsTheCodePageByte) {
    // GBK as code page 936 has the euro sign at 0x80.
    EXPECT_EQ(Utf8ToGbk("€"), std::optional<std::string>("\x80"));
    EXPECT_EQ(GbkToUtf8("\x80"), "€");
}

TEST(GbkConversion, FailsForCharactersGbkCannotHold) {
    EXPECT_FALSE(Utf8ToGbk("会员😀").has_value());
    EXPECT_FALSE(Utf8ToGbk("\xF0\x9F").has_value());  // broken UTF-8
    EXPECT_FALSE(Utf8ToGbk("한국어").has_value());
}

TEST(GbkHolds, OnlyWhatAGbkColumnStoresAsSent) {
    const std::vector<std::pair<char32_t, bool>> cases = {
        {U'a', true},   {U'\n', true},   {U'张', true},   {U'嘰', true},
        {U'乗', true},  {U'·', true},    {U'€', false},   {U'😀', false},
        {U'한', false}, {0xD800, false}, {0xFFFD, false}, {0x10FFFF, false},
    };
    for (const auto& [c, held] : cases) {
        EXPECT_EQ(GbkHolds(c), held) << "U+" << std::hex << static_cast<uint32_t>(c);
    }
}

TEST(GbkConversion, BrokenGbkBecomesReplacementCharacters) {
    EXPECT_EQ(GbkToUtf8("a\xFF"
                        "b"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(GbkToUtf8("\xD5\xC5\xD5"), "张\xEF\xBF\xBD");  // cut after a lead byte
    EXPECT_EQ(GbkToUtf8(""), "");
}

// glibc's own answer for one byte sequence: the UTF-8 text, or nullopt when
// it does not convert whole.
std::optional<std::string> IconvGbk(std::string_view gbk) {
    iconv_t cd = iconv_open("UTF-8", "GBK");
    std::string out(gbk.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(gbk.data());
    size_t in_left = gbk.size();
    char* o = out.data();
    size_t o_left = out.size();
    const size_t r = iconv(cd, &in, &in_left, &o, &o_left);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1) || in_left != 0) {
        return std::nullopt;
    }
    out.resize(out.size() - o_left);
    return out;
}

TEST(GbkConversion, EveryTwoByteCharacterConvertsAsIconvDoes) {
    int converted = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::string_view gbk(pair, 2);
            const auto expected = IconvGbk(gbk);
            std::string out = "前";
            AppendGbkAsUtf8(out, gbk);
            if (expected) {
                ++converted;
                ASSERT_EQ(out, "前" + *expected) << std::hex << lead << " " << trail;
            } else {
                ASSERT_NE(out.find("\xEF\xBF\xBD"), std::string::npos)
                    << std::hex << lead << " " << trail;
            }
        }
    }
    EXPECT_GT(converted, 21000);  // GBK holds 21886 two-byte characters
}

TEST(GbkConversion, AppendingKeepsWhatIsThereAndMixesAllKinds) {
    struct Case {
        std::string gbk;
        std::string utf8;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {"2024-05-01 10:00:00", "2024-05-01 10:00:00"},
        {"\xD5\xC5\xC8\xFD", "张三"},
        {"[7]\xC0\xCF\xB0\xE5", "[7]老板"},
        {"\x80"
         "5",
         "€5"},
        {"\xD5\xC5\xFF\xC8\xFD", "张\xEF\xBF\xBD三"},
        {"a\x81", "a\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        std::string out = "已有";
        AppendGbkAsUtf8(out, c.gbk);
        EXPECT_EQ(out, "已有" + c.utf8) << c.utf8;
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
    }
}

TEST(EscapeSqlText, EscapesWhatEndsOrBreaksAQuotedValue) {
    EXPECT_EQ(EscapeSqlText("it's"), "it\\'s");
    EXPECT_EQ(EscapeSqlText("a\\b"), "a\\\\b");
    EXPECT_EQ(EscapeSqlText("\"q\""), "\\\"q\\\"");
    EXPECT_EQ(EscapeSqlText(std::string("x\0y\n\r\x1a", 6)), "x\\0y\\n\\r\\Z");
    EXPECT_EQ(EscapeSqlText("嘰乗"), "嘰乗");  // no 0x5C inside UTF-8 characters
}

TEST(CompareTextAnsi, OrdersLikeAChineseSystem) {
    // Each text sorts before the next: punctuation, digits, Latin with lower
    // case first, then Han characters by pinyin.
    const std::vector<std::string> ordered = {"",   "-",  "1",  "2",    "a",    "A",
                                              "aB", "Ab", "b",  "B",    "z",    "阿",
                                              "李", "王", "张", "张三", "张四", "赵"};
    for (size_t i = 0; i + 1 < ordered.size(); ++i) {
        EXPECT_LT(CompareTextAnsi(ordered[i], ordered[i + 1]), 0)
            << ordered[i] << " < " << ordered[i + 1];
        EXPECT_GT(CompareTextAnsi(ordered[i + 1], ordered[i]), 0)
            << ordered[i + 1] << " > " << ordered[i];
        EXPECT_LT(TextSortKey(ordered[i]), TextSortKey(ordered[i + 1]))
            << "sort keys of " << ordered[i] << " and " << ordered[i + 1];
    }
    EXPECT_EQ(CompareTextAnsi("王五", "王五"), 0);
    EXPECT_EQ(TextSortKey("王五"), TextSortKey("王五"));
    EXPECT_NE(CompareTextAnsi("abc", "ABC"), 0);  // case counts
}

TEST(ExtractTextBetweenTest, Cases) {
    struct Case {
        const char* text;
        const char* left;
        const char* right;
        int start;
        bool ignore_case;
        const char* want;
    };
    const Case cases[] = {
        {"A[68]", "[", "]", 0, false, "68"},
        {"A68", "[", "]", 0, false, ""},         // no left delimiter
        {"A[68", "[", "]", 0, false, ""},        // no right one after it
        {"A]x[68", "[", "]", 0, false, ""},      // the right one only before it
        {"A[]", "[", "]", 0, false, ""},         // nothing between
        {"足疗[88]", "[", "]", 0, false, "88"},  // bytes of a GBK text
        {"x\"in\"out\"", "#引号", "#引号", 0, false, "in"},
        {"A[x]B[68]", "[", "]", 0, false, "x"},   // the first "[" of the text
        {"A[x]B[68]", "[", "]", 4, false, "68"},  // 1-based start position
        {"A[x]B[68]", "[", "]", 1, false, "x"},
        {"A[x]B[68]", "[", "]", 99, false, ""},
        {"keyVALUEend", "KEY", "END", 0, false, ""},
        {"keyVALUEend", "KEY", "END", 0, true, "VALUE"},
        {"名称<金额>", "<", ">", 0, false, "金额"},
        // 乗 is GBK 81 5C: its second byte is no match for a backslash.
        {"乗\\x\\", "\\", "\\", 0, false, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.left + " " + c.right);
        EXPECT_EQ(ExtractTextBetween(c.text, c.left, c.right, c.start, c.ignore_case), c.want);
    }
}

TEST(ReplaceAllTest, Cases) {
    struct Case {
        const char* text;
        const char* from;
        const char* to;
        const char* want;
    };
    const Case cases[] = {
        {"足疗[88]\r\n修脚[30]", "[88]", "", "足疗\r\n修脚[30]"},
        {"a-a-a", "a", "b", "b-b-b"},
        {"aa", "a", "aa", "aaaa"},  // what it puts in is not searched again
        {"abc", "", "x", "abc"},    // nothing to look for
        {"abc", "d", "x", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " " + c.from + " " + c.to);
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.want);
    }
}

}  // namespace
}  // namespace kob
