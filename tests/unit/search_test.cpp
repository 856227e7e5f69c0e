#include <gtest/gtest.h>

#include "platform/core/pinyin.h"

namespace kob {
namespace {

struct Member {
    const char* name;
    const char* phone;
};

bool Finds(const char* text, const Member& m) {
    return MemberSearchQuery(text).Matches(MakeMemberSearchKey(m.name), m.phone);
}

TEST(MemberSearch, KindOfText) {
    using Kind = MemberSearchQuery::Kind;
    EXPECT_EQ(MemberSearchQuery("").kind(), Kind::Empty);
    EXPECT_EQ(MemberSearchQuery("   ").kind(), Kind::Empty);
    EXPECT_EQ(MemberSearchQuery("5678").kind(), Kind::Phone);
    EXPECT_EQ(MemberSearchQuery(" 5678 ").kind(), Kind::Phone);
    EXPECT_EQ(MemberSearchQuery("ZS").kind(), Kind::Initials);
    EXPECT_EQ(MemberSearchQuery("张").kind(), Kind::Name);
    EXPECT_EQ(MemberSearchQuery("z3").kind(), Kind::Name);
}

TEST(MemberSearch, Cases) {
    const Member zhang{"张三", "13812345678"};
    const Member zeng{"曾小贤", "13900001111"};
    const Member shan{"单田芳", "13700002222"};
    const Member yue{"乐嘉", "13600003333"};
    const Member xie{"解缙", "13500004444"};
    const Member qiu{"仇英", "13400005555"};
    const Member rare{"李喆犇", "13300006666"};
    const Member latin{"Tom李", "18800007777"};
    const Member cao{"曹曾", "13100008888"};
    struct Case {
        const char* text;
        const Member& member;
        bool found;
    };
    const Case cases[] = {
        // digits: anywhere in the phone
        {"5678", zhang, true},
        {"138", zhang, true},
        {"1382", zhang, false},
        {"13812345678", zhang, true},
        {"138123456789", zhang, false},
        // letters: the initials of the name, case ignored, anywhere in them
        {"zs", zhang, true},
        {"ZS", zhang, true},
        {"Zs", zhang, true},
        {"s", zhang, true},
        {"sz", zhang, false},
        {"zsx", zhang, false},
        {"lzb", rare, true},
        {"zb", rare, true},
        {"toml", latin, true},
        // polyphonic surnames: the surname reading and the everyday one
        {"zxx", zeng, true},
        {"cxx", zeng, true},
        {"z", zeng, true},
        {"stf", shan, true},
        {"dtf", shan, true},
        {"yj", yue, true},
        {"lj", yue, true},
        {"xj", xie, true},
        {"jj", xie, true},
        {"qy", qiu, true},
        {"cy", qiu, true},
        // only the first character counts as a surname
        {"cz", cao, false},
        {"cc", cao, true},  // 曾 in running text: its everyday reading
        // Chinese text: the name contains it
        {"张", zhang, true},
        {"张三", zhang, true},
        {"三", zhang, true},
        {"张四", zhang, false},
        {"tom李", latin, true},
        {"TOM李", latin, true},
        // blanks around the text do not count
        {" zs ", zhang, true},
        // nothing typed finds nobody
        {"", zhang, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Finds(c.text, c.member), c.found) << c.text << " / " << c.member.name;
    }
}

TEST(MemberSearch, MemberWithoutNameOrPhone) {
    const Member empty{"", ""};
    EXPECT_FALSE(Finds("z", empty));
    EXPECT_FALSE(Finds("1", empty));
    EXPECT_FALSE(Finds("张", empty));
}

}  // namespace
}  // namespace kob
