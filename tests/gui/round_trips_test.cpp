// How many times each confirmation waits for the server, counted in the
// server's general log: at a chain's distance from its server every request
// is felt at the desk.
#include <functional>
#include <iostream>

#include "checkout_fixture.h"

namespace kob::test {
namespace {

constexpr int kMostRoundTrips = 5;

class RoundTripsTest : public CheckoutTest {
  protected:
    void ConfirmMemberPanel() { PressLeft(w().按钮_会员管理_新增会员_确定); }
    void NewMember(std::string_view name, std::string_view amount) {
        members().OpenNewMemberPanel();
        w().编辑框_新增会员_姓名->SetText(std::string(name));
        w().编辑框_新增会员_充值金额->SetText(std::string(amount));
        harness().dialogs.NextMessage(Answer::Ok);  // add another: the panel stays
    }
};

TEST_F(RoundTripsTest, EachConfirmationWaitsAtMostFiveTimes) {
    AddItem("A", "68");
    LogInWithMember("500");
    struct Case {
        const char* what;
        std::function<void()> prepare;
        std::function<void()> confirm;
        const char* stored;  // a count that the confirmation raises by one
    };
    const Case cases[] = {
        {"checkout",
         [&] {
             OpenPanel();
             DoubleClickItem("A[68]");
         },
         [&] { Confirm(); }, "SELECT COUNT(*) FROM `costlist`"},
        {"recharge",
         [&] {
             Select("1");
             members().OpenRechargePanel();
             w().编辑框_新增会员_充值金额->SetText("100");
         },
         [&] { ConfirmMemberPanel(); }, "SELECT COUNT(*) FROM `paylist`"},
        {"new member", [&] { NewMember("王五", ""); }, [&] { ConfirmMemberPanel(); },
         "SELECT COUNT(*) FROM `userlist`"},
        {"new member with a first recharge", [&] { NewMember("赵六", "300"); },
         [&] { ConfirmMemberPanel(); }, "SELECT COUNT(*) FROM `paylist` WHERE `pay_money` = 300"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.prepare();
        const int before = ToInt32(Scalar(c.stored));
        std::vector<ServerLog::Entry> entries;
        {
            ServerLog log;
            ASSERT_TRUE(log.On());
            c.confirm();
            entries = log.Stop();
        }
        EXPECT_EQ(ToInt32(Scalar(c.stored)), before + 1);
        const int trips = RoundTrips(entries);
        std::cout << c.what << ": " << trips << " round trips\n" << Listing(entries);
        EXPECT_LE(trips, kMostRoundTrips) << Listing(entries);
    }
}

}  // namespace
}  // namespace kob::test
