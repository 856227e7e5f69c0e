// The as-you-type member search on the real window: what a typed text finds,
// and how the visible list and the spare list follow it.
#include "members_fixture.h"
#include "support/report_rows.h"

namespace kob::test {
namespace {

class MembersSearchTest : public MembersTest {
  protected:
    void SetUp() override {
        MembersTest::SetUp();
        AddMember(1, "张三", "13812345678");
        AddMember(2, "曾小贤", "13900001111");
        AddMember(3, "单田芳", "13700005678");
        AddMember(4, "李喆", "13600002222");
        AddMember(5, "Tom王", "18800003333");
        AddMember(6, "乐嘉", "13500004444");
        AddMember(7, "解缙", "13400006666");
        AddMember(8, "仇英", "13300007777");
        AddMember(9, "", "");
        AddRecharge(1, "100", "0", "100");
        LogIn();
    }
    // Types text as the operator does, one keystroke after another.
    std::vector<std::string> Search(std::string_view text) {
        auto* box = w().编辑框_会员管理_搜索;
        box->SetText("");
        box->setFocus();
        Type(box, text);
        return Cards(list());
    }
    using Cards_ = std::vector<std::string>;
};

TEST_F(MembersSearchTest, TypedTextFindsMembers) {
    struct Case {
        const char* text;
        Cards_ found;
    };
    const Case cases[] = {
        // digits: anywhere in the phone; the last four digits find a member
        {"5678", {"1", "3"}},
        {"138", {"1"}},
        {"8800", {"5"}},
        {"99", {}},
        // letters: pinyin initials of the name, case ignored
        {"zs", {"1"}},
        {"ZS", {"1"}},
        {"Zs", {"1"}},
        {"lz", {"4"}},  // 喆, a rare character
        {"tomw", {"5"}},
        {"TOM", {"5"}},
        // polyphonic surnames by their surname reading and their everyday one
        {"zxx", {"2"}},
        {"cxx", {"2"}},
        {"stf", {"3"}},
        {"dtf", {"3"}},
        {"yj", {"6"}},
        {"lj", {"6"}},
        {"xj", {"7"}},
        {"jj", {"7"}},
        {"qy", {"8"}},
        {"cy", {"8"}},
        // Chinese text: the name contains it
        {"张", {"1"}},
        {"小贤", {"2"}},
        {"喆", {"4"}},
        {"tom王", {"5"}},
        {"张四", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Search(c.text), c.found) << c.text;
    }
}

TEST_F(MembersSearchTest, RowsComeFromTheSpareListWithTheirTotals) {
    EXPECT_EQ(Search("zs"), Cards_{"1"});
    EXPECT_EQ(RowCells(list(), 0), RowCells(spare(), 0));
    EXPECT_EQ(list().Cell(0, kMemberBalance), "100");
    EXPECT_EQ(list().SelectedRow(), -1);
    // The spare list marks the matching members.
    for (int r = 0; r < spare().RowCount(); ++r) {
        EXPECT_EQ(RowSelected(spare(), r), spare().Cell(r, 0) == "1") << r;
    }
    EXPECT_EQ(spare().RowCount(), 9) << "the spare list keeps every member";
    Search("5678");
    for (int r = 0; r < spare().RowCount(); ++r) {
        const std::string& card = spare().Cell(r, 0);
        EXPECT_EQ(RowSelected(spare(), r), card == "1" || card == "3") << r;
    }
}

TEST_F(MembersSearchTest, EmptyTextEmptiesTheList) {
    Search("zs");
    ASSERT_EQ(list().RowCount(), 1);
    QTest::keyClick(w().编辑框_会员管理_搜索, Qt::Key_Backspace);
    EXPECT_EQ(Cards(list()), (Cards_{"1", "2", "4"})) << "z: 张三, 曾小贤 and 李喆";
    QTest::keyClick(w().编辑框_会员管理_搜索, Qt::Key_Backspace);
    EXPECT_EQ(list().RowCount(), 0);
    EXPECT_EQ(Search(" "), Cards_{});
}

TEST_F(MembersSearchTest, SearchButtonEmptiesTheBoxAndReloads) {
    Search("zs");
    AddMember(10, "新人");
    Click(w().按钮_会员管理_搜索);
    EXPECT_EQ(w().编辑框_会员管理_搜索->Text(), "");
    WaitForTotals();
    EXPECT_EQ(list().RowCount(), 10);
    EXPECT_EQ(spare().RowCount(), 10);
}

}  // namespace
}  // namespace kob::test
