// Member-list loads and the totals worker against the real server: what the
// totals count, when the worker runs, and that a reload while it runs never
// gets stale totals. The suite name carries "Thread" for the TSan pass.
#include <atomic>
#include <semaphore>

#include "members_fixture.h"
#include "platform/core/thread.h"
#include "records/records.h"

namespace kob::test {
namespace {

using MembersTotalsThreadTest = MembersTest;

TEST_F(MembersTotalsThreadTest, TotalsCountRowsNotFlaggedDeletedAndShowZeroAsEmpty) {
    AddMember(1, "张三", "13800000001");
    AddRecharge(1, "100", "10", "110");
    AddRecharge(1, "50", "0", "50");
    AddRecharge(1, "999", "1", "1000", 1);  // deleted
    AddRecharge(1, "5", "0", "5", 2);       // only 1 means deleted
    AddCost(1, "30");
    AddCost(1, "20");
    AddCost(1, "500", 1);
    AddMember(2, "李四");  // no records
    AddMember(3, "王五");
    AddCost(3, "40");  // spent more than paid in
    AddMember(4, "赵六");
    AddRecharge(4, "70", "0", "70", 1);
    AddCost(4, "70", 1);
    AddMember(5, "钱七", "", 1);  // a deleted member is not listed
    AddRecharge(5, "10", "0", "10");
    AddMember(0, "零号");  // card 0: no totals at all
    AddRecharge(0, "10", "0", "10");
    LogIn();

    const std::vector<std::vector<std::string>> expected = {
        {"0", "零号", "", "", "", "", "", "", ""},
        {"1", "张三", "13800000001", "3", "155", "165", "2", "50", "115"},
        {"2", "李四", "", "", "", "", "", "", "0"},
        {"3", "王五", "", "", "", "", "1", "40", "-40"},
        {"4", "赵六", "", "", "", "", "", "", "0"},
    };
    ASSERT_EQ(list().RowCount(), 5);
    ASSERT_EQ(spare().RowCount(), 5);
    for (const auto& row : expected) {
        SCOPED_TRACE("card " + row[0]);
        EXPECT_EQ(RowCells(list(), RowOf(list(), row[0])), row);
        EXPECT_EQ(RowCells(spare(), RowOf(spare(), row[0])), row);
    }
}

TEST_F(MembersTotalsThreadTest, LoadFollowsTheListOrderOption) {
    for (int card : {3, 1, 2}) {
        AddMember(card, "会员" + std::to_string(card));
    }
    w().选择框_新纪录在最前->SetTicked(true);
    LogIn();
    EXPECT_EQ(Cards(list()), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(Cards(spare()), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(list().SelectedRow(), -1);
}

TEST_F(MembersTotalsThreadTest, EveryLoadStartsTheWorkerWithSpinnerAndFlag) {
    AddMember(1, "张三");
    auto& spinner = *w().载入条_会员;
    program().CurrentOperator = {kBossId, kBossName, "Rudal"};
    program().LoggedIn = 1;

    // Each way the list is loaded, then a recharge the next load must show.
    struct Load {
        const char* name;
        std::function<void()> run;
        bool sets_flag;
    };
    const std::vector<Load> loads = {
        {"members page", [&] { members().ShowMembersPage(); }, true},
        {"search button", [&] { members().ResetMemberSearch(); }, true},
        {"panel closed after a new member",
         [&] {
             w().外形框_新增会员->Show();
             w().选择框_关闭时刷新用户列表->SetTicked(true);
             members().CloseMemberPanel();
         },
         false},
        {"new member, no further one",
         [&] {
             members().OpenNewMemberPanel();
             w().编辑框_新增会员_姓名->SetText("新人");
             harness().dialogs.NextMessage(Answer::Cancel);
             members().ConfirmMemberPanel();
         },
         false},
    };
    int recharges = 0;
    for (const auto& load : loads) {
        SCOPED_TRACE(load.name);
        AddRecharge(1, "10", "0", "10");
        ++recharges;
        const int started = members().TotalsWorkersStarted();
        load.run();
        EXPECT_EQ(members().TotalsWorkersStarted(), started + 1);
        EXPECT_TRUE(spinner.Visible());
        if (load.sets_flag) {
            EXPECT_EQ(program().MemberListRefreshing, 1);
        }
        WaitForTotals();
        EXPECT_FALSE(spinner.Visible());
        EXPECT_EQ(program().MemberListRefreshing, 0);
        EXPECT_EQ(list().Cell(RowOf(list(), "1"), kMemberPayCount), std::to_string(recharges));
    }
}

TEST_F(MembersTotalsThreadTest, MembersPageLoadsOnlyAnEmptyListWithAnEmptySearch) {
    AddMember(1, "张三");
    LogIn();
    ASSERT_EQ(list().RowCount(), 1);
    AddMember(2, "李四");
    const int started = members().TotalsWorkersStarted();
    members().ShowMembersPage();  // rows shown: left as they are
    EXPECT_EQ(list().RowCount(), 1);
    w().编辑框_会员管理_搜索->SetText("9");  // a search without matches empties the list
    ASSERT_EQ(list().RowCount(), 0);
    members().ShowMembersPage();
    EXPECT_EQ(list().RowCount(), 0);
    EXPECT_EQ(members().TotalsWorkersStarted(), started);
    EXPECT_EQ(w().选择夹1->CurrentPage(), 0);
}

TEST_F(MembersTotalsThreadTest, BeforeALoginTheMembersButtonOnlyHidesTheLoginSpinner) {
    AddMember(1, "张三");
    w().载入条->Show();
    members().ShowMembersPage();
    EXPECT_FALSE(w().载入条->Visible());
    EXPECT_EQ(w().选择夹1->CurrentPage(), 3);
    EXPECT_EQ(list().RowCount(), 0);
    EXPECT_EQ(members().TotalsWorkersStarted(), 0);
}

// Holds every worker just before its handoff until the test lets it go.
class HeldWorkers {
  public:
    explicit HeldWorkers(Members& members) {
        members.before_totals_handoff = [this](uint64_t) {
            arrived_.fetch_add(1);
            release_.acquire();
        };
        members.after_totals_handoff = [this](uint64_t generation, bool written) {
            handoffs.push_back({generation, written});
        };
    }
    bool WaitArrived(int n) {
        return QTest::qWaitFor([&] { return arrived_.load() >= n; }, 20000);
    }
    void Release() { release_.release(); }
    bool WaitHandoffs(size_t n) {
        return QTest::qWaitFor([&] { return handoffs.size() >= n; }, 20000);
    }
    std::vector<std::pair<uint64_t, bool>> handoffs;

  private:
    std::atomic<int> arrived_{0};
    std::binary_semaphore release_{0};
};

TEST_F(MembersTotalsThreadTest, ReloadWhileTheWorkerRunsNeverGetsStaleTotals) {
    AddMember(1, "张三");
    AddMember(2, "李四");
    AddRecharge(1, "100", "0", "100");
    HeldWorkers held(members());
    StartLogIn();
    ASSERT_TRUE(held.WaitArrived(1));  // the first worker has its (soon stale) totals
    const uint64_t first = members().LoadGeneration();

    AddRecharge(1, "50", "0", "50");
    Exec("DELETE FROM `userlist` WHERE `user_id` = 2");
    AddMember(3, "王五");
    members().ResetMemberSearch();  // a new load while the worker still runs
    EXPECT_EQ(Cards(list()), (std::vector<std::string>{"1", "3"}));
    EXPECT_EQ(members().TotalsWorkersStarted(), 1) << "no second worker beside the first";

    held.Release();
    ASSERT_TRUE(held.WaitHandoffs(1));
    EXPECT_EQ(held.handoffs[0], std::make_pair(first, false));
    for (int r = 0; r < list().RowCount(); ++r) {
        for (int c = kMemberPayCount; c <= kMemberBalance; ++c) {
            EXPECT_EQ(list().Cell(r, c), "") << "stale totals in row " << r;
            EXPECT_EQ(spare().Cell(r, c), "");
        }
    }
    EXPECT_TRUE(w().载入条_会员->Visible());
    EXPECT_EQ(program().MemberListRefreshing, 1);

    ASSERT_TRUE(held.WaitArrived(2));
    EXPECT_EQ(members().TotalsWorkersStarted(), 2);
    held.Release();
    ASSERT_TRUE(held.WaitHandoffs(2));
    EXPECT_EQ(held.handoffs[1], std::make_pair(members().LoadGeneration(), true));
    EXPECT_EQ(RowCells(list(), 0),
              (std::vector<std::string>{"1", "张三", "", "2", "150", "150", "", "", "150"}));
    EXPECT_EQ(list().Cell(1, kMemberBalance), "0");
    EXPECT_FALSE(w().载入条_会员->Visible());
    EXPECT_EQ(program().MemberListRefreshing, 0);
}

TEST_F(MembersTotalsThreadTest, RechargeWhileTheWorkerRunsKeepsItsNewTotals) {
    AddMember(1, "张三");
    AddMember(2, "李四");
    AddRecharge(1, "100", "0", "100");
    AddRecharge(2, "30", "0", "30");
    HeldWorkers held(members());
    StartLogIn();
    ASSERT_TRUE(held.WaitArrived(1));  // its sums say 100 for card 1

    Select("1");
    AddRecharge(1, "50", "0", "50");
    members().RefreshSelectedMemberTotals();
    members().SyncSpareMemberList(true);
    held.Release();
    ASSERT_TRUE(held.WaitHandoffs(1));
    EXPECT_EQ(RowCells(list(), 0),
              (std::vector<std::string>{"1", "张三", "", "2", "150", "150", "", "", "150"}));
    EXPECT_EQ(RowCells(spare(), 0), RowCells(list(), 0));
    // The other rows still get the worker's totals.
    EXPECT_EQ(list().Cell(1, kMemberBalance), "30");
}

TEST_F(MembersTotalsThreadTest, RowRecomputedWhileTheWorkerRunsIsCopiedToTheSpareList) {
    // Each way the selected row is recomputed, and what columns 3 to 8 of
    // card 1 hold after it; the worker saw only the first 100.
    struct Case {
        const char* name;
        std::function<void()> recompute;
        std::vector<std::string> totals;
    };
    const std::vector<Case> cases = {
        {"recharge panel", [&] { Click(w().按钮_充值); }, {"2", "150", "150", "", "", "150"}},
        {"checkout panel", [&] { Click(w().按钮_消费); }, {"2", "150", "150", "", "", "150"}},
        {"record deletion",
         [&] {
             program().records->QueryAllRecharges();
             auto& records = *w().超级列表框_会员充值_充值列表;
             const int row = RowOf(records, "1");  // the first 100
             ASSERT_GE(row, 0);
             records.SetSelectedRow(row);
             harness().dialogs.NextMenuChoice(0);
             harness().dialogs.NextMessage(Answer::Ok);
             program().records->ShowRechargeRecordMenu();
         },
         {"1", "50", "50", "", "", "50"}},
    };
    program().CurrentOperator = {kBossId, kBossName, "Rudal"};
    program().LoggedIn = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(ResetTables());
        AddMember(1, "张三", "13800000001");
        AddMember(2, "李四", "13900000002");
        AddRecharge(1, "100", "0", "100");
        AddRecharge(2, "30", "0", "30");
        HeldWorkers held(members());
        members().ResetMemberSearch();
        ASSERT_TRUE(held.WaitArrived(1));

        Select("1");
        AddRecharge(1, "50", "0", "50");
        c.recompute();
        held.Release();
        WaitForTotals();
        std::vector<std::string> want = {"1", "张三", "13800000001"};
        want.insert(want.end(), c.totals.begin(), c.totals.end());
        EXPECT_EQ(RowCells(list(), RowOf(list(), "1")), want);
        EXPECT_EQ(RowCells(spare(), RowOf(spare(), "1")), want);
        EXPECT_EQ(list().Cell(RowOf(list(), "2"), kMemberBalance), "30");

        // A search shows the spare rows; the current-member box reads them.
        w().外形框_新增会员->Hide();
        w().外形框_快速消费->Hide();
        w().编辑框_会员管理_搜索->SetText("138");
        ASSERT_EQ(Cards(list()), std::vector<std::string>{"1"});
        EXPECT_EQ(RowCells(list(), 0), want);
        Select("1");
        members().RefreshCurrentMemberBox();
        EXPECT_EQ(w().编辑框_全局_余额->Text(), want[kMemberBalance]);
        members().before_totals_handoff = nullptr;
        members().after_totals_handoff = nullptr;
    }
}

// Makes the next thread starts fail; none left over for the next test.
class FailedThreadStarts {
  public:
    explicit FailedThreadStarts(int count) { FailNextWorkerThreadStarts(count); }
    ~FailedThreadStarts() { FailNextWorkerThreadStarts(0); }
    FailedThreadStarts(const FailedThreadStarts&) = delete;
    FailedThreadStarts& operator=(const FailedThreadStarts&) = delete;
};

TEST_F(MembersTotalsThreadTest, WorkerThatCannotStartLeavesOnlyItsLoadUndone) {
    AddMember(1, "张三");
    AddRecharge(1, "100", "0", "100");
    auto& spinner = *w().载入条_会员;
    program().CurrentOperator = {kBossId, kBossName, "Rudal"};
    program().LoggedIn = 1;
    auto expect_undone_and_idle = [&] {
        EXPECT_FALSE(members().TotalsWorkerRunning());
        EXPECT_FALSE(spinner.Visible());
        EXPECT_EQ(program().MemberListRefreshing, 0);
        EXPECT_EQ(list().Cell(0, kMemberBalance), "");
    };
    {
        SCOPED_TRACE("the load's own worker");
        FailedThreadStarts fail(1);
        members().ShowMembersPage();
        expect_undone_and_idle();
    }
    members().ResetMemberSearch();
    WaitForTotals();
    EXPECT_EQ(list().Cell(0, kMemberBalance), "100");
    EXPECT_EQ(spare().Cell(0, kMemberBalance), "100");

    {
        SCOPED_TRACE("the worker queued behind a running one");
        HeldWorkers held(members());
        members().ResetMemberSearch();
        ASSERT_TRUE(held.WaitArrived(1));
        members().ResetMemberSearch();  // queued
        FailedThreadStarts fail(1);
        held.Release();
        ASSERT_TRUE(held.WaitHandoffs(1));
        expect_undone_and_idle();
        members().before_totals_handoff = nullptr;
        members().after_totals_handoff = nullptr;
    }
    AddRecharge(1, "50", "0", "50");
    members().ResetMemberSearch();
    WaitForTotals();
    EXPECT_EQ(list().Cell(0, kMemberBalance), "150");
}

TEST_F(MembersTotalsThreadTest, LoadsWhileAWorkerRunsQueueOneMoreRun) {
    AddMember(1, "张三");
    HeldWorkers held(members());
    StartLogIn();
    ASSERT_TRUE(held.WaitArrived(1));
    for (int i = 0; i < 3; ++i) {
        AddRecharge(1, "10", "0", "10");
        members().ResetMemberSearch();
    }
    EXPECT_EQ(members().TotalsWorkersStarted(), 1);
    held.Release();
    ASSERT_TRUE(held.WaitArrived(2));
    held.Release();
    ASSERT_TRUE(held.WaitHandoffs(2));
    WaitForTotals();
    EXPECT_EQ(members().TotalsWorkersStarted(), 2) << "three loads, one more run";
    EXPECT_EQ(list().Cell(0, kMemberPayCount), "3");
}

TEST_F(MembersTotalsThreadTest, SearchWhileTheWorkerRunsStillFillsEveryMember) {
    AddMember(1, "张三", "13800000001");
    AddMember(2, "李四", "13900000002");
    AddRecharge(1, "10", "0", "10");
    AddRecharge(2, "20", "0", "20");
    HeldWorkers held(members());
    StartLogIn();
    ASSERT_TRUE(held.WaitArrived(1));
    w().编辑框_会员管理_搜索->SetText("138");  // only 张三 stays visible
    ASSERT_EQ(Cards(list()), std::vector<std::string>{"1"});
    held.Release();
    WaitForTotals();
    EXPECT_EQ(list().Cell(0, kMemberBalance), "10");
    // The hidden member got its totals too, and a new search shows them.
    EXPECT_EQ(spare().Cell(RowOf(spare(), "2"), kMemberBalance), "20");
    w().编辑框_会员管理_搜索->SetText("139");
    ASSERT_EQ(Cards(list()), std::vector<std::string>{"2"});
    EXPECT_EQ(list().Cell(0, kMemberBalance), "20");
}

TEST_F(MembersTotalsThreadTest, ClosingTheProgramWaitsForARunningWorker) {
    for (int card = 1; card <= 50; ++card) {
        AddMember(card, "会员");
        AddRecharge(card, "10", "0", "10");
    }
    StartLogIn();
    EXPECT_TRUE(members().TotalsWorkerRunning());
    // TearDown destroys the program now; the worker must not outlive it.
}

TEST_F(MembersTotalsThreadTest, SelectedMemberRefreshRewritesOnlyThatRow) {
    AddMember(1, "张三");
    AddMember(2, "李四");
    LogIn();
    AddRecharge(1, "100", "20", "120");
    AddRecharge(1, "1", "0", "1", 1);
    AddCost(1, "30");
    AddRecharge(2, "100", "0", "100");
    members().RefreshSelectedMemberTotals();  // no row selected: nothing
    EXPECT_EQ(list().Cell(0, kMemberPayCount), "");
    Select("1");
    members().RefreshSelectedMemberTotals();
    EXPECT_EQ(RowCells(list(), 0),
              (std::vector<std::string>{"1", "张三", "", "1", "100", "120", "1", "30", "90"}));
    EXPECT_EQ(list().Cell(1, kMemberPayCount), "") << "other rows untouched";
    EXPECT_EQ(spare().Cell(0, kMemberPayCount), "") << "the spare list is not touched";
    members().SyncSpareMemberList(true);
    EXPECT_EQ(RowCells(spare(), 0), RowCells(list(), 0));
}

}  // namespace
}  // namespace kob::test
