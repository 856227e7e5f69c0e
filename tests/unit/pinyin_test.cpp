#include "platform/core/pinyin.h"

#include <gtest/gtest.h>

namespace kob {
namespace {

TEST(PinyinInitials, OneInitialPerCharacter) {
    struct Case {
        const char* text;
        const char* initials;
    };
    const Case cases[] = {
        {"张三", "zs"},    {"王小明", "wxm"}, {"欧阳娜娜", "oynn"},
        {"喆", "z"},                                        // rare characters have readings too
        {"犇", "b"},       {"龘", "d"},       {"𠀀", "h"},  // outside the basic plane
        {"Tom", "tom"},     // letters stand for themselves, in lower case
        {"李ＷＩ", "lwi"},  // full-width letters as well
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PinyinInitials(c.text), c.initials) << c.text;
    }
}

TEST(PinyinInitials, CharactersWithoutReadingKeepTheirPlace) {
    EXPECT_EQ(PinyinInitials("张·三"), std::string("z") + kNoInitial + "s");
    EXPECT_EQ(PinyinInitials("A1b"), std::string("a") + kNoInitial + "b");
    EXPECT_EQ(PinyinInitial(U'。'), kNoInitial);
}

TEST(PinyinInitials, SameAnswerFromCacheAndFirstSight) {
    const char32_t c = U'鑫';
    const char first = PinyinInitial(c);
    EXPECT_EQ(first, 'x');
    EXPECT_EQ(PinyinInitial(c), first);
}

TEST(SurnameInitials, PolyphonicSurnamesCarryBothReadings) {
    struct Case {
        char32_t c;
        const char* surname;
        char everyday;
    };
    const Case cases[] = {
        {U'曾', "z", 'c'}, {U'单', "s", 'd'}, {U'乐', "y", 'l'},
        {U'解', "x", 'j'}, {U'仇', "q", 'c'},
    };
    for (const auto& c : cases) {
        const std::string_view both = SurnameInitials(c.c);
        EXPECT_NE(both.find(c.surname), std::string_view::npos) << c.surname;
        EXPECT_NE(both.find(c.everyday), std::string_view::npos) << c.everyday;
        // ICU gives one of the two readings for the character in running text.
        EXPECT_NE(both.find(PinyinInitial(c.c)), std::string_view::npos);
    }
    EXPECT_TRUE(SurnameInitials(U'张').empty());
}

}  // namespace
}  // namespace kob
