// Money written once whatever the server does: the server's process frozen
// while a recharge, a checkout, a new member or a record deletion is
// confirmed, resumed after the read time-out or only after the settling has
// given up; and a card number taken by another desk between the check and
// the insert.
#include <QTimer>
#include <atomic>
#include <string>
#include <vector>

#include "checkout_fixture.h"
#include "data/db.h"
#include "records/records.h"

namespace kob::test {
namespace {

constexpr data::Timeouts kShort = kShortTimeouts;
// Resumed after the read time-out, while the settling still waits.
constexpr int kResumeWhileSettlingMs = 3500;

class StalledWriteTest : public ServerAwayTest {
  protected:
    // Empty tables and an empty member list for the next case.
    void StartOver() {
        ASSERT_TRUE(ResetTables());
        list().DeleteAllRows();
    }
    // press runs; the server freezes just before the write goes out (after
    // writes_through writes of the press went out untouched) and is resumed
    // resume_ms later.
    // The window keeps running (not taking input) with spinner shown while
    // it waits.
    void PressFrozen(const std::function<void()>& press, int resume_ms, QWidget* spinner = nullptr,
                     int writes_through = 0) {
        std::unique_ptr<FrozenServer> frozen;
        std::atomic<int> spinner_seen{-1};
        data::SetBeforeWriteHook([&] {
            if (writes_through-- > 0) {
                return;
            }
            data::SetBeforeWriteHook(nullptr);  // the settling's own runs go through
            frozen = std::make_unique<FrozenServer>();
            EXPECT_TRUE(frozen->Frozen()) << "the test server's pid file";
            frozen->ResumeAfter(resume_ms);
            RunOnWindowThread([&] {
                QWidget* s = spinner ? spinner : w().载入条_会员;
                spinner_seen = s->isHidden() ? 0 : 1;
            });
        });
        press();
        data::SetBeforeWriteHook(nullptr);
        ASSERT_TRUE(frozen) << "no write went out";
        EXPECT_EQ(spinner_seen.load(), 1) << "the window did not run, or showed no spinner";
    }
    // As a person can: only a button that is shown.
    static void PressIfShown(QWidget* button) {
        if (button->isVisibleTo(button->window())) {
            PressLeft(button);
        }
    }
    static std::string Count(std::string_view table) {
        return Scalar("SELECT COUNT(*) FROM `" + std::string(table) + "`");
    }
    void ConfirmRecharge() { PressIfShown(w().按钮_会员管理_新增会员_确定); }
    // Tom's one recharge listed and selected, its menu's deletion chosen
    // and confirmed once the menu is shown.
    void ChooseDeletionOfTheOnlyRecharge() {
        AddMember(1, "Tom");
        AddRecharge(1, "100", "0", "100", 0, "Tom");
        LogIn();
        program().records->QueryAllRecharges();
        auto& records = *w().超级列表框_会员充值_充值列表;
        ASSERT_EQ(records.RowCount(), 1);
        records.SetSelectedRow(0);
        harness().dialogs.NextMenuChoice(0);
        harness().dialogs.NextMessage(Answer::Ok);
    }

  public:  // for the tables of cases
    using CheckoutTest::AddItem;
    using CheckoutTest::DoubleClickItem;
    using CheckoutTest::LogInWithMember;
    using CheckoutTest::OpenPanel;
    using MembersTest::members;
    using WindowTest::harness;
    using WindowTest::program;
    using WindowTest::w;

  public:
    void OpenRecharge(std::string_view amount) {
        Click(w().按钮_充值);
        w().编辑框_新增会员_充值金额->SetText(std::string(amount));
    }
};

struct StalledCase {
    const char* what;
    int resume_ms;
    bool settles;  // resumed in time for the settling to find out
};

const StalledCase kCases[] = {
    {"resumed while settling", kResumeWhileSettlingMs, true},
    {"resumed after the settling gave up", (kShort.read + kShort.settle) * 1000 + 1500, false},
};

// A money write on the members page, from its panel as the operator opens it.
struct MoneyWrite {
    const char* what;
    std::function<void(StalledWriteTest&)> open;
    std::function<QWidget*(StalledWriteTest&)> confirm;
    const char* table;
    const char* done;
    const char* unknown;
};

// The recharge and the checkout, each from its panel as the operator opens it.
const std::vector<MoneyWrite>& RechargeAndCheckout() {
    static const std::vector<MoneyWrite> writes = {
        {"recharge",
         [](StalledWriteTest& t) {
             t.LogInWithMember("100");
             t.OpenRecharge("100");
         },
         [](StalledWriteTest& t) -> QWidget* { return t.w().按钮_会员管理_新增会员_确定; },
         "paylist", "充值成功", "网络异常，无法确认充值是否成功，请先查看充值记录再操作"},
        {"checkout",
         [](StalledWriteTest& t) {
             t.AddItem("足疗", "30");
             t.LogInWithMember("100");
             t.OpenPanel();
             t.DoubleClickItem("足疗[30]");
         },
         [](StalledWriteTest& t) -> QWidget* { return t.w().按钮_快速消费_确定结账; }, "costlist",
         "操作成功", "网络异常，无法确认结账是否成功，请先查看消费记录再操作"},
    };
    return writes;
}

TEST_F(StalledWriteTest, RechargeAndCheckoutAreStoredOnceAndSayWhatHappened) {
    const auto& writes = RechargeAndCheckout();
    for (const auto& write : writes) {
        for (const auto& c : kCases) {
            SCOPED_TRACE(std::string(write.what) + ", " + c.what);
            ASSERT_NO_FATAL_FAILURE(StartOver());
            write.open(*this);
            const std::string before = Count(write.table);  // the recharge of the fixture
            PressFrozen([&] { PressLeft(write.confirm(*this)); }, c.resume_ms);
            const int added = ToInt32(Count(write.table)) - ToInt32(before);
            if (c.settles) {
                EXPECT_EQ(added, 1);
                EXPECT_EQ(Balloon(), write.done);
            } else {
                EXPECT_TRUE(added == 0 || added == 1) << added;
                EXPECT_EQ(Balloon(), write.unknown);
            }
            PressIfShown(write.confirm(*this));  // a second press after the message
            EXPECT_EQ(ToInt32(Count(write.table)) - ToInt32(before), added);
            // Whatever was stored shows in the list, the server being back.
            members().RefreshSelectedMemberTotals();
            const int delta = std::string(write.table) == "paylist" ? 100 : -30;
            EXPECT_EQ(list().Cell(list().SelectedRow(), kMemberBalance),
                      IntText(100 + added * delta));
        }
    }
}

TEST_F(StalledWriteTest, NewMemberWithFirstRechargeIsStoredOnceWhileTheWindowThreadWaits) {
    LogIn();
    Click(w().按钮_新增会员);
    w().编辑框_新增会员_卡号->SetText("5");
    w().编辑框_新增会员_姓名->SetText("王五");
    w().编辑框_新增会员_充值金额->SetText("200");
    harness().dialogs.NextMessage(Answer::Cancel);
    PressFrozen([&] { ConfirmRecharge(); }, kResumeWhileSettlingMs);
    EXPECT_EQ(Count("userlist"), "1");
    EXPECT_EQ(Count("paylist"), "1");
    EXPECT_EQ(Balloon(), "新增会员成功，充值成功");
}

// A new member whose insert, or whose first recharge, the settling could
// not confirm: told so, an unconfirmed member's recharge never sent, and the
// outcome learnt at the next press or request; a member or recharge is
// never stored twice, whatever the operator does next.
TEST_F(StalledWriteTest, NewMemberLeftUnknownIsToldAndNothingIsStoredTwice) {
    struct NewMemberCase {
        const char* what;
        int writes_through;  // 0: the member's insert is held, 1: its first recharge
        const char* unknown;
    };
    const NewMemberCase cases[] = {
        {"member insert", 0, "网络异常，无法确认会员是否已添加，请刷新会员列表查看"},
        {"first recharge", 1, "新增会员成功，但无法确认充值是否成功，请先查看充值记录再操作"},
    };
    const int gave_up_ms = (kShort.read + kShort.settle) * 1000 + 1500;
    // The earlier outcomes told so far.
    auto told_earlier = [&] {
        std::vector<std::string> texts;
        for (const auto& asked : harness().dialogs.Asked()) {
            if (asked.text.rfind("之前未能确认", 0) == 0) {
                texts.push_back(asked.text);
            }
        }
        return texts;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_NO_FATAL_FAILURE(StartOver());
        LogIn();
        Click(w().按钮_新增会员);
        w().编辑框_新增会员_卡号->SetText("5");
        w().编辑框_新增会员_姓名->SetText("王五");
        w().编辑框_新增会员_充值金额->SetText("200");
        if (c.writes_through > 0) {
            harness().dialogs.NextMessage(Answer::Cancel);  // no other member after this one
        }
        harness().dialogs.ClearAsked();
        PressFrozen([&] { ConfirmRecharge(); }, gave_up_ms, nullptr, c.writes_through);
        EXPECT_EQ(Balloon(), c.unknown);
        if (c.writes_through == 0) {
            EXPECT_EQ(Count("paylist"), "0") << "a recharge for a member not known to exist";
        } else {
            EXPECT_EQ(Count("userlist"), "1");
        }

        // The server is back: the next press on the panel, or the next
        // request (maybe the list's refresh as the panel closed), learns the
        // outcome and tells it.
        if (c.writes_through == 0) {
            ConfirmRecharge();
        } else {
            Click(w().按钮_会员管理_搜索);
            WaitForTotals();
        }
        const std::string members = Count("userlist");
        const std::string recharges = Count("paylist");
        if (c.writes_through == 0) {
            ASSERT_TRUE(members == "0" || members == "1") << members;
            EXPECT_EQ(recharges, "0");
            EXPECT_EQ(
                told_earlier(),
                std::vector<std::string>{
                    members == "1"
                        ? "之前未能确认的新会员已添加：5 王五，首次充值200元未存入，请为其重新充值"
                        : "之前未能确认的新会员未添加：5 王五，首次充值200元也未存入"});
            // The operator presses once more: a member not added is added
            // now, one added is not added again.
            if (members == "0") {
                harness().dialogs.NextMessage(Answer::Cancel);
            }
            ConfirmRecharge();
            EXPECT_EQ(Count("userlist"), "1");
            EXPECT_EQ(Count("paylist"), members == "1" ? "0" : "1");
        } else {
            EXPECT_EQ(members, "1");
            ASSERT_TRUE(recharges == "0" || recharges == "1") << recharges;
            EXPECT_EQ(told_earlier(),
                      std::vector<std::string>{recharges == "1"
                                                   ? "之前未能确认的充值已成功：5 王五 200元"
                                                   : "之前未能确认的充值未成功：5 王五 200元"});
        }
    }
}

TEST_F(StalledWriteTest, RecordDeletionTakesOnceWithItsNote) {
    Records& r = *program().records;
    ASSERT_NO_FATAL_FAILURE(ChooseDeletionOfTheOnlyRecharge());
    PressFrozen([&] { r.ShowRechargeRecordMenu(); }, kResumeWhileSettlingMs, w().载入条_充值记录);
    EXPECT_EQ(Scalar("SELECT `pay_del` FROM `paylist`"), "1");
    EXPECT_NE(Scalar("SELECT `pay_notes` FROM `paylist`").find("删除了本条充值记录"),
              std::string::npos);
    EXPECT_EQ(Balloon().rfind("删除充值记录成功，ID为：1", 0), 0u) << Balloon();
}

// A deletion the settling could not confirm is settled by the first request
// after the server is back: told with record, member and amount, and the
// member's row shows what the server holds.
TEST_F(StalledWriteTest, RecordDeletionLeftUnknownIsSettledAndToldWhenTheServerIsBack) {
    Records& r = *program().records;
    ASSERT_NO_FATAL_FAILURE(ChooseDeletionOfTheOnlyRecharge());
    PressFrozen([&] { r.ShowRechargeRecordMenu(); }, kCases[1].resume_ms, w().载入条_充值记录);
    EXPECT_EQ(Balloon(), "网络异常，无法确认是否已删除，请稍后刷新查看");

    harness().dialogs.ClearAsked();
    r.QueryAllRecharges();  // the next request that reaches the server
    const bool deleted = Scalar("SELECT `pay_del` FROM `paylist`") == "1";
    const AskedDialog* told = nullptr;
    for (const auto& asked : harness().dialogs.Asked()) {
        if (asked.text.rfind("之前未能确认的删除", 0) == 0) {
            told = &asked;
        }
    }
    ASSERT_NE(told, nullptr) << "the outcome was never told";
    EXPECT_EQ(told->text,
              std::string(deleted ? "之前未能确认的删除已成功" : "之前未能确认的删除未成功") +
                  "：充值记录ID为1 1 Tom 100元");
    const int row = RowOf(list(), "1");
    ASSERT_GE(row, 0);
    EXPECT_EQ(list().Cell(row, kMemberBalance), deleted ? "0" : "100");
}

// Every other write waits as the money writes do, and an outcome it could
// not settle is told as unknown, never as failed.
struct OtherWrite {
    const char* what;
    std::function<void(StalledWriteTest&)> open;
    std::function<void(StalledWriteTest&)> confirm;
    std::function<QWidget*(StalledWriteTest&)> spinner;
    const char* stored_sql;  // 1 when the write took effect
    const char* done;
    const char* unknown;
};

TEST_F(StalledWriteTest, EveryOtherWriteWaitsWithTheSpinnerAndTellsWhatTheServerDid) {
    auto settings_spinner = [](StalledWriteTest& t) -> QWidget* { return t.w().载入条; };
    auto member_spinner = [](StalledWriteTest& t) -> QWidget* { return t.w().载入条_会员; };
    auto privileged_on_member = [](StalledWriteTest& t) {
        t.LogInWithMember("100");
        t.program().CurrentOperator.boss_tel = "Rudal";
    };
    // A member's detail changed to typed, the success box then answered.
    auto member_edit = [&](std::string typed) {
        return [privileged_on_member, typed](StalledWriteTest& t) {
            privileged_on_member(t);
            t.harness().dialogs.NextInput(typed);
            t.harness().dialogs.NextMessage(Answer::Ok);
        };
    };
    const OtherWrite writes[] = {
        {"password change",
         [](StalledWriteTest& t) {
             t.LogInWithMember("");
             Exec(
                 "INSERT INTO `bosslist`(`boss_tel`,`boss_name`,`boss_key`) VALUES "
                 "('Rudal','老板','888888')");
             t.w().编辑框_用户名->SetText("Rudal");
             t.w().编辑框_密码->SetText("888888");
             t.w().编辑框_输入新密码->SetText("newkey");
             t.w().编辑框_新密码确认->SetText("newkey");
         },
         [](StalledWriteTest& t) { t.program().operators->ConfirmPasswordChange(); },
         settings_spinner, "SELECT COUNT(*) FROM `bosslist` WHERE `boss_key` = 'newkey'",
         "修改成功，需要重新登录", "网络异常，无法确认密码是否已修改，请稍后用新密码重新登录确认"},
        {"new operator",
         [](StalledWriteTest& t) {
             t.LogInWithMember("");
             t.w().编辑框_新增管理员_姓名->SetText("小王");
             t.w().编辑框_新增管理员_手机号->SetText("13900000002");
             t.w().编辑框_新增管理员_密码->SetText("k1");
             t.w().编辑框_新增管理员_密码确认->SetText("k1");
         },
         [](StalledWriteTest& t) { t.program().operators->ConfirmAddOperator(); }, settings_spinner,
         "SELECT COUNT(*) FROM `bosslist` WHERE `boss_tel` = '13900000002'",
         "操作成功，你可以使用新账户登录系统",
         "网络异常，无法确认管理员是否已新增，请先查看登录用户名列表再操作"},
        {"new service item",
         [](StalledWriteTest& t) {
             t.LogInWithMember("");
             t.w().编辑框_项目名称->SetText("拔罐");
             t.w().编辑框_项目金额->SetText("40");
             t.harness().dialogs.NextInput(std::string(kPassword));
         },
         [](StalledWriteTest& t) { t.program().checkout->AddServiceItem(); }, settings_spinner,
         "SELECT COUNT(*) FROM `xmlist` WHERE `xm_name` = '拔罐'", "新增成功",
         "网络异常，无法确认项目是否已新增，请先刷新项目列表查看再操作"},
        {"service item deletion",
         [](StalledWriteTest& t) {
             t.AddItem("足疗", "30");
             t.LogInWithMember("");
             t.program().checkout->LoadServiceItemList();
             t.w().超级列表框_项目设置->SetSelectedRow(0);
             t.harness().dialogs.NextInput(std::string(kPassword));
         },
         [](StalledWriteTest& t) { t.program().checkout->DeleteServiceItem(); }, settings_spinner,
         "SELECT COUNT(*) FROM `xmlist` WHERE `xm_del` = 1", nullptr,
         "网络异常，无法确认项目是否已删除，请先刷新项目列表查看再操作"},
        {"member deletion",
         [&](StalledWriteTest& t) {
             privileged_on_member(t);
             t.harness().dialogs.NextMessage(Answer::Ok);
         },
         [](StalledWriteTest& t) { t.members().DeleteMember(); }, member_spinner,
         "SELECT COUNT(*) = 0 FROM `userlist`", "删除会员成功，卡号为：1、会员姓名为：Tom",
         "网络异常，无法确认会员是否已删除，请刷新会员列表查看"},
        {"rename", member_edit("汤姆"), [](StalledWriteTest& t) { t.members().RenameMember(); },
         member_spinner,
         "SELECT COUNT(*) FROM `userlist` u JOIN `paylist` p USING (`user_id`) "
         "WHERE u.`user_name` = '汤姆'",
         "修改姓名成功", "网络异常，无法确认姓名是否已修改，请刷新会员列表查看"},
        {"phone change", member_edit("13700000007"),
         [](StalledWriteTest& t) { t.members().ChangeMemberPhone(); }, member_spinner,
         "SELECT COUNT(*) FROM `userlist` WHERE `user_tel` = '13700000007'", "修改电话成功",
         "网络异常，无法确认手机号是否已修改，请刷新会员列表查看"},
    };
    for (const auto& write : writes) {
        for (const auto& c : kCases) {
            SCOPED_TRACE(std::string(write.what) + ", " + c.what);
            ASSERT_NO_FATAL_FAILURE(StartOver());
            write.open(*this);
            harness().dialogs.ClearAsked();
            PressFrozen([&] { write.confirm(*this); }, c.resume_ms, write.spinner(*this));
            // Only the password change answers in a box; the rest in the balloon.
            const bool boxed = std::string(write.what) == "password change";
            ASSERT_TRUE(!boxed || harness().dialogs.Last() != nullptr);
            const std::string told = boxed ? harness().dialogs.Last()->text : Balloon();
            const bool stored = Scalar(write.stored_sql) == "1";
            if (c.settles) {
                EXPECT_TRUE(stored);
                if (write.done != nullptr) {
                    EXPECT_EQ(told, write.done);
                }
            } else {
                EXPECT_EQ(told, write.unknown);
            }
        }
    }
}

// A press of 确定 while a recharge or a checkout waits is the operator's
// impatience, not a second order: it is dropped, not delivered afterwards.
TEST_F(StalledWriteTest, PressesDuringTheWaitAreDroppedNotDeliveredLater) {
    const auto& writes = RechargeAndCheckout();
    for (const auto& write : writes) {
        SCOPED_TRACE(write.what);
        ASSERT_NO_FATAL_FAILURE(StartOver());
        AddMember(2, "Jerry");
        write.open(*this);
        const std::string before = Count(write.table);
        const int selected = list().SelectedRow();
        QWidget* confirm = write.confirm(*this);
        // Presses on the button and on another member's row, as real input
        // events, while the statement is held back.
        QTimer::singleShot(1000, confirm, [&] {
            QTest::mouseClick(confirm, Qt::LeftButton);
            QTest::mouseClick(list().viewport(), Qt::LeftButton, Qt::NoModifier,
                              list().visualRect(list().model()->index(1 - selected, 0)).center());
        });
        PressFrozen([&] { PressLeft(confirm); }, kResumeWhileSettlingMs);
        QApplication::processEvents();
        EXPECT_EQ(ToInt32(Count(write.table)) - ToInt32(before), 1);
        EXPECT_EQ(Balloon(), write.done);
        EXPECT_EQ(list().SelectedRow(), selected);
    }
}

// A recharge or checkout the settling could not confirm is kept: the
// operator who looks at the records during the outage is told they could
// not be read, a retry stores nothing, and the first request after the
// server is back settles it, tells the outcome with member and amount and
// shows it in the member's row. The operator then retries only what did not
// land: one row in the end.
TEST_F(StalledWriteTest, WritesLeftUnknownAreSettledAndToldWhenTheServerIsBack) {
    // Each money write, how the operator retries it, and what they tell
    // once it is settled.
    struct Unsettled {
        const MoneyWrite& write;
        std::function<void(StalledWriteTest&)> reopen;
        std::function<void(StalledWriteTest&)> look_at_records;
        const char* landed;
        const char* not_landed;
        int delta;
    };
    const Unsettled unsettled[] = {
        {RechargeAndCheckout()[0], [](StalledWriteTest& t) { t.OpenRecharge("100"); },
         [](StalledWriteTest& t) { t.program().records->QueryAllRecharges(); },
         "之前未能确认的充值已成功：1 Tom 100元", "之前未能确认的充值未成功：1 Tom 100元", 100},
        {RechargeAndCheckout()[1],
         [](StalledWriteTest& t) {
             t.OpenPanel();
             t.DoubleClickItem("足疗[30]");
         },
         [](StalledWriteTest& t) { t.program().records->QueryAllConsumption(); },
         "之前未能确认的结账已成功：1 Tom 30元", "之前未能确认的结账未成功：1 Tom 30元", -30},
    };
    for (const Unsettled& u : unsettled) {
        const MoneyWrite& write = u.write;
        SCOPED_TRACE(write.what);
        ASSERT_NO_FATAL_FAILURE(StartOver());
        write.open(*this);
        const int before = ToInt32(Count(write.table));
        QWidget* confirm = write.confirm(*this);
        {
            std::unique_ptr<FrozenServer> frozen;
            data::SetBeforeWriteHook([&] {
                data::SetBeforeWriteHook(nullptr);
                frozen = std::make_unique<FrozenServer>();
            });
            PressLeft(confirm);  // gives up after the read time-out and the settling
            data::SetBeforeWriteHook(nullptr);
            ASSERT_TRUE(frozen && frozen->Frozen());
            EXPECT_EQ(Balloon(), write.unknown);

            harness().dialogs.ClearAsked();
            u.look_at_records(*this);
            ASSERT_NE(LastAsked(), nullptr);
            EXPECT_EQ(LastAsked()->text, "网络异常，未能读取数据，请稍后重试");
            // A retry during the outage (the panel's boxes still filled).
            if (std::string(write.table) == "paylist") {
                members().ConfirmMemberPanel();
            } else {
                w().编辑框_快速消费_消费总金额->SetText("30");  // started over: typed again
                program().checkout->ConfirmCheckout(0, 0, 0);
            }
            EXPECT_EQ(Balloon(), Program::kStillSettling);
        }  // the server is back

        harness().dialogs.ClearAsked();
        Click(w().按钮_会员管理_搜索);  // the next request that reaches it
        WaitForTotals();
        const int added = ToInt32(Count(write.table)) - before;
        ASSERT_TRUE(added == 0 || added == 1) << added;
        ASSERT_NE(LastAsked(), nullptr) << "the outcome was never told";
        EXPECT_EQ(LastAsked()->text, added == 1 ? u.landed : u.not_landed);
        Select("1");
        EXPECT_EQ(list().Cell(list().SelectedRow(), kMemberBalance),
                  IntText(100 + added * u.delta));
        if (added == 0) {
            u.reopen(*this);
            PressLeft(write.confirm(*this));
        }
        EXPECT_EQ(ToInt32(Count(write.table)) - before, 1);
    }
}

// Another desk takes the card number between this desk's check and insert.
TEST_F(StalledWriteTest, CardTakenMeanwhileIsToldAndNothingIsStored) {
    LogIn();
    Click(w().按钮_新增会员);
    w().编辑框_新增会员_卡号->SetText("9");
    w().编辑框_新增会员_姓名->SetText("赵六");
    w().编辑框_新增会员_手机号->SetText("13900000009");
    w().编辑框_新增会员_充值金额->SetText("300");
    members().before_member_insert = [] { AddMember(9, "另一台"); };
    ConfirmRecharge();
    members().before_member_insert = nullptr;
    EXPECT_EQ(Balloon(), "该会员卡号已经存在，请更换卡号");
    EXPECT_EQ(Scalar("SELECT `user_name` FROM `userlist` WHERE `user_id` = 9"), "另一台");
    EXPECT_EQ(Count("paylist"), "0");
    EXPECT_TRUE(harness().dialogs.Asked().empty());
    EXPECT_TRUE(w().外形框_新增会员->Visible());
    EXPECT_EQ(w().编辑框_新增会员_卡号->Text(), "9");
    EXPECT_EQ(w().编辑框_新增会员_姓名->Text(), "赵六");
    EXPECT_EQ(w().编辑框_新增会员_手机号->Text(), "13900000009");
    EXPECT_EQ(w().编辑框_新增会员_充值金额->Text(), "300");
}

}  // namespace
}  // namespace kob::test
