// A write whose statement a slow network delivers only after the read
// time-out, through a relay that holds it back: the settling may run it
// again only once the lost session can no longer run it, and must not take
// an equal row stored earlier for it.
#include <gtest/gtest.h>
#include <mysql.h>

#include <chrono>
#include <string>

#include "data/db.h"
#include "members/member_statements.h"
#include "support/db_fixture.h"
#include "support/relay.h"

namespace kob::data {
namespace {

// Short time-outs keep the test short; the program's own are 30 s and 15 s.
constexpr Timeouts kShort{.read = 2, .settle = 6};

class WriteLostTest : public test::DbTest {
  protected:
    void SetUp() override {
        SetTimeouts(kShort);
        test::DbTest::SetUp();
    }
    void TearDown() override {
        SetBeforeWriteHook(nullptr);
        SetTimeouts(Timeouts{});
    }
};

// A recharge as the members page inserts it, settled by its values.
Write Recharge() {
    RechargeRecord r;
    r.pay_time = "2024-05-01 10:00:00";
    r.pay_money = "100";
    r.pay_total = "100";
    r.pay_del = "0";
    r.user_id = "1";
    r.user_name = "Tom";
    return RechargeInsertWrite(r);
}

struct LateCase {
    const char* what;
    int stored_before;  // equal recharges already there (the same amount twice in a day)
};

TEST_F(WriteLostTest, StatementDeliveredAfterTheTimeOutIsStoredOnce) {
    const LateCase cases[] = {
        {"no equal row before", 0},
        {"an equal recharge stored before", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(test::ResetTables());
        const Write w = Recharge();
        for (int i = 0; i < c.stored_before; ++i) {
            ASSERT_TRUE(test::Exec(w.sql));
        }
        test::Relay relay(DbEndpoint::kPort);
        ASSERT_NE(relay.Port(), 0u);
        MYSQL* connection = ConnectEndpointOnPort(relay.Port());
        ASSERT_NE(connection, nullptr);
        // The mark goes through; the statement and the hang-up are held.
        SetBeforeWriteHook([&] { relay.Hold(); });
        const Result result = WriteOn(connection, w);
        SetBeforeWriteHook(nullptr);
        EXPECT_EQ(connection, nullptr) << "the statement was not held: nothing was settled";
        EXPECT_EQ(result.outcome, Outcome::Done);

        relay.Deliver();  // the network catches up
        EXPECT_TRUE(relay.WaitServerClosed(std::chrono::seconds(10)));
        CloseConnection(connection);
        EXPECT_EQ(test::Scalar("SELECT COUNT(*) FROM `paylist`"),
                  std::to_string(c.stored_before + 1));
    }
}

}  // namespace
}  // namespace kob::data
