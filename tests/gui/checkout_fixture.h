#pragma once
// The quick-checkout panel and the service item catalogue against the real
// server: the members fixture plus service items, the panel's controls and
// the operator's hands on them.
#include <QListWidgetItem>
#include <QTest>
#include <string>
#include <string_view>

#include "checkout/checkout.h"
#include "data/db.h"
#include "members_fixture.h"
#include "operators/operators.h"
#include "platform/core/datetime.h"

namespace kob::test {

inline constexpr const char* kPassword = "888888";

class CheckoutTest : public MembersTest {
  protected:
    void SetUp() override {
        MembersTest::SetUp();
        w().编辑框_密码->SetText(kPassword);  // the login password stays in its box
    }

    Checkout& checkout() { return *program().checkout; }

    // The id the server gave the item.
    static std::string AddItem(std::string_view name, std::string_view money, int del = 0) {
        Exec("INSERT INTO `xmlist`(`xm_name`,`xm_money`,`xm_del`) VALUES ('" + EscapeSqlText(name) +
             "','" + EscapeSqlText(money) + "'," + IntText(del) + ")");
        return Scalar("SELECT MAX(`xm_id`) FROM `xmlist`");
    }

    // Logged in with card 1 (balance given by one recharge) selected.
    void LogInWithMember(std::string_view balance, std::string_view name = "Tom",
                         std::string_view phone = "13800000001") {
        AddMember(1, name, phone);
        if (!balance.empty()) {
            AddRecharge(1, balance, "0", balance);
        }
        LogIn();
        Select("1");
    }

    // The operator's click on 按钮_消费.
    void OpenPanel() { Click(w().按钮_消费); }

    ListBox& items() { return *w().列表框_快速消费_消费项目清单; }
    ListBox& lines() { return *w().列表框_快速消费_结账清单; }
    EditBox& total() { return *w().编辑框_快速消费_消费总金额; }
    EditBox& count() { return *w().编辑框_快速消费_消费项目数; }
    EditBox& balance() { return *w().编辑框_快速消费_现有余额; }
    EditBox& after() { return *w().编辑框_快速消费_消费后余额; }
    MultiLineEditBox& notes() { return *w().编辑框_快速消费_备注; }

    int ItemIndex(std::string_view text) {
        for (int i = 0; i < items().ItemCount(); ++i) {
            if (items().ItemText(i) == text) {
                return i;
            }
        }
        return -1;
    }
    // A real double click on the item with that text.
    void DoubleClickItem(std::string_view text) {
        const int i = ItemIndex(text);
        ASSERT_GE(i, 0) << text;
        QListWidgetItem* item = items().item(i);
        items().scrollToItem(item);
        const QPoint at = items().visualItemRect(item).center();
        QTest::mouseClick(items().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(items().viewport(), Qt::LeftButton, {}, at);
    }
    // The operator empties the total box and types text.
    void TypeTotal(std::string_view text) {
        total().Focus();
        QTest::keyClick(&total(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&total(), Qt::Key_Backspace);
        Type(&total(), text);
    }
    void Confirm() { PressLeft(w().按钮_快速消费_确定结账); }

    std::string Lines() {
        std::string text;
        for (int i = 0; i < lines().ItemCount(); ++i) {
            text += (i ? "|" : "") + lines().ItemText(i);
        }
        return text;
    }
    static int CostRows() { return ToInt32(Scalar("SELECT COUNT(*) FROM `costlist`")); }
    // Recomputations of one member's totals among what the program sent.
    static int Recomputations(const std::vector<ServerLog::Entry>& entries) {
        int n = 0;
        for (const auto& entry : entries) {
            n += entry.command == "Query" &&
                         entry.argument.find("FROM `kobrelan`.`paylist` WHERE `user_id` =") !=
                             std::string::npos
                     ? 1
                     : 0;
        }
        return n;
    }
};

// A server that stalls or goes away: short time-outs keep the waits short
// (the program's own are 30 s and 15 s).
inline constexpr data::Timeouts kShortTimeouts{.read = 2, .settle = 6};

class ServerAwayTest : public CheckoutTest {
  protected:
    void SetUp() override {
        data::SetTimeouts(kShortTimeouts);
        CheckoutTest::SetUp();
    }
    void TearDown() override {
        CheckoutTest::TearDown();
        data::SetTimeouts(data::Timeouts{});
    }
};

}  // namespace kob::test
