// A read that fails is told, never shown as an empty shop: each read the
// operator's view depends on, with the server's process stopped and with it
// frozen past the read time-out. While a frozen read waits, the window keeps
// running and shows its spinner.
#include <QTimer>

#include "checkout_fixture.h"
#include "data/db.h"
#include "records/records.h"

namespace kob::test {
namespace {

constexpr const char* kUnread = "网络异常，未能读取数据，请稍后重试";

enum class Fault { Stopped, Frozen };

class FailedReadTest : public ServerAwayTest {
  public:  // for the table of cases
    using CheckoutTest::AddItem;
    using CheckoutTest::LogInWithMember;
    using CheckoutTest::OpenPanel;
    using MembersTest::Balloon;
    using MembersTest::list;
    using MembersTest::members;
    using MembersTest::WaitForTotals;
    using WindowTest::harness;
    using WindowTest::program;
    using WindowTest::w;
    Records& records() { return *program().records; }

    void RunCases(Fault fault);
    // act runs with the server away as fault says; true when, meanwhile, the
    // window kept handling its timers with spinner shown.
    bool Away(Fault fault, QWidget* spinner, const std::function<void()>& act) {
        int ticks = 0;
        bool shown = false;
        QTimer sampler;
        QObject::connect(&sampler, &QTimer::timeout, [&] {
            ++ticks;
            shown |= spinner != nullptr && !spinner->isHidden();
        });
        sampler.start(150);
        if (fault == Fault::Stopped) {
            EXPECT_EQ(RunDbScript("stop"), 0);
            act();
            EXPECT_EQ(RunDbScript("start"), 0);
        } else {
            FrozenServer frozen;
            EXPECT_TRUE(frozen.Frozen());
            act();
        }
        sampler.stop();
        return ticks >= 5 && (spinner == nullptr || shown);
    }
};

struct ReadCase {
    const char* what;
    // With the server up: the state the read starts from.
    std::function<void(FailedReadTest&)> prepare;
    std::function<QWidget*(FailedReadTest&)> spinner;
    std::function<void(FailedReadTest&)> act;
    const char* told;
    // With the server back: nothing shown as read, nothing done that needed it.
    std::function<void(FailedReadTest&)> check;
};

const std::vector<ReadCase>& Cases();

void FailedReadTest::RunCases(Fault fault) {
    for (const auto& c : Cases()) {
        SCOPED_TRACE(std::string(c.what) +
                     (fault == Fault::Stopped ? ", server stopped" : ", server frozen"));
        ASSERT_TRUE(ResetTables());
        list().DeleteAllRows();
        w().外形框_新增会员->Hide();
        w().外形框_快速消费->Hide();
        c.prepare(*this);
        harness().dialogs.ClearAsked();
        QWidget* spinner = c.spinner ? c.spinner(*this) : nullptr;
        const bool ran =
            Away(fault, fault == Fault::Frozen ? spinner : nullptr, [&] { c.act(*this); });
        if (fault == Fault::Frozen) {
            EXPECT_TRUE(ran) << "the window did not run, or showed no spinner";
        }
        ASSERT_NE(LastAsked(), nullptr)
            << "nothing was told; balloon: " << Balloon()
            << " members: " << Scalar("SELECT COUNT(*) FROM `userlist`");
        EXPECT_EQ(LastAsked()->text, c.told);
        EXPECT_EQ(harness().dialogs.Asked().size(), 1u);
        c.check(*this);
        program().LoggedIn = 1;
    }
}

TEST_F(FailedReadTest, EveryReadThatFailsIsToldAndNothingDependsOnIt) {
    RunCases(Fault::Stopped);
}

TEST_F(FailedReadTest, ReadsWaitingOnAFrozenServerAreToldWithTheWindowRunning) {
    RunCases(Fault::Frozen);
}

const std::vector<ReadCase>& Cases() {
    auto member_spinner = [](FailedReadTest& t) -> QWidget* { return t.w().载入条_会员; };
    static const std::vector<ReadCase> cases = {
        {"member list reload", [](FailedReadTest& t) { t.LogInWithMember("100"); }, member_spinner,
         [](FailedReadTest& t) { Click(t.w().按钮_会员管理_搜索); }, kUnread,
         [](FailedReadTest& t) {
             // The list keeps what it showed rather than an empty shop.
             ASSERT_EQ(t.list().RowCount(), 1);
             EXPECT_EQ(t.list().Cell(0, kMemberBalance), "100");
         }},
        {"totals worker",
         [](FailedReadTest& t) {
             t.LogInWithMember("100");
             ASSERT_TRUE(t.members().LoadMemberList());  // fresh rows, no totals yet
         },
         nullptr,
         [](FailedReadTest& t) {
             t.members().RefreshAllMemberTotals();
             t.WaitForTotals();
         },
         kUnread,
         [](FailedReadTest& t) {
             for (int c = kMemberPayCount; c < kMemberColumns; ++c) {
                 EXPECT_EQ(t.list().Cell(0, c), "") << "column " << c << " shown as read";
             }
         }},
        {"selected member before a recharge", [](FailedReadTest& t) { t.LogInWithMember("100"); },
         member_spinner, [](FailedReadTest& t) { Click(t.w().按钮_充值); }, kUnread,
         [](FailedReadTest& t) {
             EXPECT_FALSE(t.w().外形框_新增会员->Visible());
             EXPECT_EQ(t.list().Cell(0, kMemberBalance), "100");
         }},
        {"checkout panel's balance",
         [](FailedReadTest& t) {
             t.AddItem("足疗", "30");
             t.LogInWithMember("100");
         },
         member_spinner, [](FailedReadTest& t) { t.OpenPanel(); }, kUnread,
         [](FailedReadTest& t) {
             // No balance of 0 to check a checkout against.
             EXPECT_FALSE(t.w().外形框_快速消费->Visible());
             EXPECT_EQ(t.list().Cell(0, kMemberBalance), "100");
         }},
        {"recharge records", [](FailedReadTest& t) { t.LogInWithMember("100"); },
         [](FailedReadTest& t) -> QWidget* { return t.w().载入条_充值记录; },
         [](FailedReadTest& t) { t.records().QueryAllRecharges(); }, kUnread,
         [](FailedReadTest& t) {
             EXPECT_EQ(t.w().标签_充值管理_汇总信息->Caption(), "");
             EXPECT_EQ(t.w().超级列表框_会员充值_充值列表->RowCount(), 0);
         }},
        {"consumption records", [](FailedReadTest& t) { t.LogInWithMember("100"); },
         [](FailedReadTest& t) -> QWidget* { return t.w().载入条_消费记录; },
         [](FailedReadTest& t) { t.records().QueryAllConsumption(); }, kUnread,
         [](FailedReadTest& t) { EXPECT_EQ(t.w().标签_消费管理_汇总信息->Caption(), ""); }},
        {"next card number",
         [](FailedReadTest& t) {
             t.LogInWithMember("100");
             t.w().编辑框_新增会员_卡号->SetText("77");  // left by an earlier panel
         },
         member_spinner, [](FailedReadTest& t) { Click(t.w().按钮_新增会员); }, kUnread,
         [](FailedReadTest& t) { EXPECT_EQ(t.w().编辑框_新增会员_卡号->Text(), ""); }},
        {"new member's duplicate check",
         [](FailedReadTest& t) {
             t.LogInWithMember("100");
             Click(t.w().按钮_新增会员);
             t.w().编辑框_新增会员_卡号->SetText("5");
             t.w().编辑框_新增会员_姓名->SetText("王五");
         },
         member_spinner, [](FailedReadTest& t) { PressLeft(t.w().按钮_会员管理_新增会员_确定); },
         kUnread,
         [](FailedReadTest& t) {
             EXPECT_EQ(Scalar("SELECT COUNT(*) FROM `userlist`"), "1");
             EXPECT_EQ(t.Balloon().find("新增会员"), std::string::npos) << t.Balloon();
             EXPECT_TRUE(t.w().外形框_新增会员->Visible());
         }},
        {"service items",
         [](FailedReadTest& t) {
             t.AddItem("足疗", "30");
             t.LogInWithMember("100");
         },
         [](FailedReadTest& t) -> QWidget* { return t.w().载入条; },
         [](FailedReadTest& t) { t.program().checkout->LoadServiceItemList(); }, kUnread,
         [](FailedReadTest& t) { EXPECT_EQ(t.w().超级列表框_项目设置->RowCount(), 0); }},
        {"login check",
         [](FailedReadTest& t) {
             t.LogInWithMember("100");
             t.program().LoggedIn = 0;
             t.w().组合框_登录用户名->SetText("Rudal");
             t.w().编辑框_密码->SetText("888888");
         },
         [](FailedReadTest& t) -> QWidget* { return t.w().载入条; },
         [](FailedReadTest& t) { Click(t.w().按钮_登录系统); },
         "登录失败，无法连接服务器，请检查网络后重试",
         [](FailedReadTest& t) { EXPECT_EQ(t.program().LoggedIn, 0); }},
    };
    return cases;
}

}  // namespace
}  // namespace kob::test
